#pragma once

#include <QString>

#include <cstdint>

// The narrow bar width as the palette edits it: shown in mils, or in millimetres when the label
// is metric, and stepped one printer dot at a time so that a barcode always prints with whole
// dots per module.
class TBarWidthRule {
public:
    static constexpr int32_t MinDots = 1;
    static constexpr int32_t MaxDots = 100;
    static constexpr double DefaultMils = 10.0;

    // resolution: the printer's horizontal pixels per inch.
    TBarWidthRule(int32_t resolution, bool metric);

    // Field units per mil: 0.0254 (millimetres) under metric, 1 otherwise.
    double UnitFactor() const { return m_factor; }
    // "mm" or "mils".
    QString UnitText() const;
    // A width in mils as the field shows it.
    QString Display(double mils) const;

    // The field text after one step up (direction > 0) or down from the field's text: the
    // value moves to the next whole dot, within MinDots..MaxDots. Text that is not a number
    // becomes ten mils in whole dots.
    QString Step(const QString& fieldText, int direction) const;

    // The width in mils that the field's text stands for. Text that is not a number stands for
    // ten mils in whole dots, and a width outside MinDots..MaxDots for the nearest limit; then
    // Rewritten is set and FieldText holds what the field should show instead.
    struct TApplied {
        double Mils = 0;
        bool Rewritten = false;
        QString FieldText;
    };
    TApplied Apply(const QString& fieldText) const;

    // Ten mils rounded to whole dots.
    int32_t DefaultDots() const;
    double DotsToMils(int32_t dots) const;

private:
    int32_t m_resolution;
    double m_factor;
};
