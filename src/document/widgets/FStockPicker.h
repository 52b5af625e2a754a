#pragma once

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class TStockLibrary;
struct TStock;

// Picks a label stock by name: the search box narrows the list as it is typed, the picture
// shows the selected stock's sheet to scale. Stocks that cannot be a sheet are listed greyed
// with the reason and cannot be chosen.
class TFStockPicker : public QDialog {
    Q_OBJECT
public:
    explicit TFStockPicker(const TStockLibrary& library, QWidget* parent = nullptr);

    // The stock selected, one that can be chosen; nullptr when none is.
    const TStock* Chosen() const;

private:
    void Fill(const QString& words);
    void SelectionChanged();

    const TStockLibrary& m_library;
    std::vector<const TStock*> m_shown; // one per line of the list
    QLineEdit* m_search = nullptr;
    QListWidget* m_list = nullptr;
    QWidget* m_picture = nullptr;
    QPushButton* m_ok = nullptr;
};
