#pragma once
// The top-level windows the layout checks open, each by its name and a way
// to make it: one list, so that a window added to the programs is checked
// both at its designed size and on a desktop.
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmORtoD.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmWithinES.h"
#include "calculators/frmZDifferences.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmORToD.h"

#include <QWidget>
#include <functional>
#include <vector>

struct TopWindow {
    const char* name;
    std::function<QWidget*()> make;
};

template <class T>
TopWindow window(const char* name)
{
    return {name, [] { return static_cast<QWidget*>(new T); }};
}

// Every calculator and critical-value table window of the three programs.
inline std::vector<TopWindow> calculatorWindows()
{
    return {
        window<calculators::frmConf>("frmConf"),
        window<calculators::frmChiSq>("frmChiSq"),
        window<calculators::frmMultipleR>("frmMultipleR"),
        window<calculators::frmHierarchicalR>("frmHierarchicalR"),
        window<calculators::frmZDifferences>("frmZDifferences"),
        window<calculators::frmSignificance>("frmSignificance"),
        window<calculators::frmDiffBetweenRs>("frmDiffBetweenRs"),
        window<calculators::frmDiffBetRsDependent>("frmDiffBetRsDependent"),
        window<calculators::frmDiffBetGs>("frmDiffBetGs"),
        window<calculators::frmWithinES>("frmWithinES"),
        window<calculators::frmSDEstimate>("frmSDEstimate"),
        window<calculators::frmESInteract>("frmESInteract"),
        window<calculators::frmCounterNull>("frmCounterNull"),
        window<calculators::frmDtoOR>("frmDtoOR"),
        window<calculators::frmORtoD>("frmORtoD"),
        window<calculators::frmTdata>("frmTdata"),
        window<calculators::frmCITable>("frmCITable"),
        window<calculators::frmChiTable>("frmChiTable"),
        window<quellin::frmChiTable>("Quellin frmChiTable"),
        window<quellin::frmORToD>("Quellin frmORToD"),
    };
}
