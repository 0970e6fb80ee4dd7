// Placeholder: the implementation lands shortly.
#include "platform/Recordset.h"
