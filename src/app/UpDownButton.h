#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons, one above the other, that step a neighbouring field; held
// down they repeat.
class TUpDownButton : public QWidget {
    Q_OBJECT
public:
    explicit TUpDownButton(QWidget* parent = nullptr);
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    // +1 for up, -1 for down.
    void Stepped(int direction);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};
