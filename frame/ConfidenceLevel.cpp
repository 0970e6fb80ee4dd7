#include "frame/ConfidenceLevel.h"

#include "platform/Arith.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/StatComponent.h"

namespace frame {

namespace A = platform::arith;

namespace {

struct ListedLevel {
    const char* entry;
    double z;
    const char* level;
};

// The listed levels with their z values (constants, not computed quantiles).
const ListedLevel ListedLevels[] = {
    {"99.9%", 3.29053, "99.9"}, {"99%", 2.57583, "99"}, {"98%", 2.32635, "98"}, {"95%", 1.95996, "95"},
    {"90%", 1.64485, "90"},     {"80%", 1.28155, "80"}, {"68.26%", 1.0, "68.26"},
};

ConfidenceLevel makeLevel(double z, const QString& level)
{
    ConfidenceLevel l;
    l.z = z;
    l.level = level;
    l.lower = QStringLiteral("-") + level + QStringLiteral("%");
    l.upper = QStringLiteral("+") + level + QStringLiteral("%");
    return l;
}

} // namespace

QStringList confidenceLevels()
{
    QStringList out;
    for (const auto& l : ListedLevels)
        out << QString::fromLatin1(l.entry);
    return out;
}

bool confidenceLevel(const QString& text, ConfidenceLevel& out)
{
    for (const auto& l : ListedLevels) {
        if (text == QLatin1String(l.entry)) {
            out = makeLevel(l.z, QString::fromLatin1(l.level));
            return true;
        }
    }
    double L = 0;
    try {
        L = platform::val(text);
    } catch (const platform::RuntimeError&) {
        return false;   // too large for a number: far outside the range
    }
    if (!(L > 0.0) || !(L < 100.0))
        return false;
    const double p = A::div(A::sub(100.0, L), 200.0);
    const double z = -platform::StatDistributions::instance().NormalInverse(p, 0.0, 1.0);
    out = makeLevel(z, platform::numText(L));
    return true;
}

} // namespace frame
