#pragma once

#include "merge/dialogs/FieldBoxes.h"
#include "merge/dialogs/FieldEdit.h"

#include <QStackedWidget>

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QToolButton;

// The edit panel of the advanced field editor: one page per element kind with its captioned
// boxes, built from the box table. It holds widgets only; the window runs the rules.
class TFieldPanels : public QStackedWidget {
    Q_OBJECT
public:
    explicit TFieldPanels(QWidget* parent = nullptr);

    void ShowPanel(TFieldPanel panel) { setCurrentIndex(int(panel)); }
    TFieldEdit* Box(TFieldBox box) const { return m_boxes[size_t(box)]; }
    // The box among the edit boxes that watched is, or nothing.
    std::optional<TFieldBox> BoxOf(const QObject* watched) const;

    // The box texts and choices, and showing them.
    TFieldBoxes Contents() const;
    void Show(const TFieldBoxes& boxes);

    QRadioButton* PadRight() const { return m_rbPadRight; }
    QRadioButton* PadLeft() const { return m_rbPadLeft; }
    QCheckBox* ResetOnPrint() const { return m_cbResetOnPrint; }
    QToolButton* DateHelp() const { return m_sbDateHelp; }
    // Beside "Field #": the column's name in the data file's header.
    QLabel* FieldName() const { return m_lFieldName; }
    QCheckBox* ByName() const { return m_cbByName; }
    // The date panel's offsets and the example line under them.
    QSpinBox* AddMonths() const { return m_sbAddMonths; }
    QSpinBox* AddDays() const { return m_sbAddDays; }
    QLabel* DateExample() const { return m_lDateExample; }

private:
    QWidget* BuildTextPanel();
    QWidget* BuildImportedPanel();
    QWidget* BuildSequencePanel();
    QWidget* BuildDatePanel();
    TFieldEdit* MakeBox(TFieldBox box, QWidget* panel);
    QLabel* Caption(TFieldBox box, QWidget* panel);

    std::array<TFieldEdit*, FieldBoxCount> m_boxes{};
    QRadioButton* m_rbPadRight = nullptr;
    QRadioButton* m_rbPadLeft = nullptr;
    QCheckBox* m_cbResetOnPrint = nullptr;
    QToolButton* m_sbDateHelp = nullptr;
    QLabel* m_lFieldName = nullptr;
    QCheckBox* m_cbByName = nullptr;
    QSpinBox* m_sbAddMonths = nullptr;
    QSpinBox* m_sbAddDays = nullptr;
    QLabel* m_lDateExample = nullptr;
};
