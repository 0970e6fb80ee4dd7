#pragma once
// The maker's addresses: the one place where they are set.
#include <QString>

namespace platform {

// The web site's host name as shown in texts: "www.varnholt.example".
inline QString makerWebHost() { return QStringLiteral("www.varnholt.example"); }
// The web site's home page.
inline QString makerWebsite() { return QStringLiteral("https://") + makerWebHost() + QLatin1Char('/'); }
// The support mail address.
inline QString makerSupportAddress() { return QStringLiteral("support@varnholt.example"); }

} // namespace platform
