// A pair of arrow buttons that step a position within a range, like a spin box without a field.
#pragma once

#include <QWidget>

class QToolButton;

namespace analysis {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, int increment, bool wrap, QWidget* parent = nullptr);

    int position() const { return position_; }
    /// Moves to position (clamped to the range) without emitting clicked().
    void setPosition(int position);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    /// An arrow was clicked and the position has moved (or stayed at an end without wrap).
    void clicked();

private:
    void step(int direction);

    int minimum_;
    int maximum_;
    int increment_;
    bool wrap_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace analysis
