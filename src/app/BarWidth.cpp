#include "app/BarWidth.h"

#include "app/PaletteTexts.h"
#include "platform/Numbers.h"
#include "platform/Rounding.h"
#include "platform/Units.h"

#include <algorithm>

namespace {
constexpr double kMillimetresPerMil = 0.0254;
// A printer that reports no resolution is taken as the built-in PDF printer's.
constexpr int32_t kFallbackResolution = 600;
} // namespace

TBarWidthRule::TBarWidthRule(int32_t resolution, bool metric)
    : m_resolution(resolution > 0 ? resolution : kFallbackResolution),
      m_factor(metric ? kMillimetresPerMil : 1.0) {}

QString TBarWidthRule::UnitText() const {
    return QString::fromLatin1(m_factor == 1.0 ? PaletteText::Mils : PaletteText::Millimetres);
}

QString TBarWidthRule::Display(double mils) const {
    return FormatNumber(NumberFormat::ShortLength, mils * m_factor);
}

int32_t TBarWidthRule::DefaultDots() const {
    return RoundHalfEven(m_resolution / MilsPerInch * DefaultMils);
}

double TBarWidthRule::DotsToMils(int32_t dots) const {
    return double(dots) / m_resolution * MilsPerInch;
}

QString TBarWidthRule::Step(const QString& fieldText, int direction) const {
    double v = 0;
    if (!TryParseDecimal(fieldText, v))
        return Display(DotsToMils(DefaultDots()));
    // In 64 bits and clamped, so that an absurd entry cannot overflow the step.
    int64_t d = RoundHalfEven64(v * (m_resolution / MilsPerInch) / m_factor);
    d = direction > 0 ? d + 1 : d - 1;
    d = std::clamp<int64_t>(d, MinDots, MaxDots);
    return Display(DotsToMils(int32_t(d)));
}

TBarWidthRule::TApplied TBarWidthRule::Apply(const QString& fieldText) const {
    TApplied r;
    double v = 0;
    if (!TryParseDecimal(fieldText, v)) {
        r.Mils = DotsToMils(DefaultDots());
        r.Rewritten = true;
    } else {
        r.Mils = v / m_factor;
        const double least = DotsToMils(MinDots), most = DotsToMils(MaxDots);
        if (r.Mils < least || r.Mils > most) {
            r.Mils = std::clamp(r.Mils, least, most);
            r.Rewritten = true;
        }
    }
    if (r.Rewritten)
        r.FieldText = Display(r.Mils);
    return r;
}
