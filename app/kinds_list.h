#pragma once

#include <QListWidget>

namespace tarvik {

// A family's list of product kinds. `chosen` fires exactly once per mouse
// click on an entry (a click on the selected one included, so a kind can be
// reloaded after another family was used) and once per keyboard move; the
// calculator's key rule says where Up, Down, Home and End move.
class KindsList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int itemHeight = 14;
    explicit KindsList(QWidget* parent);

    // The selected row, −1 when none (a Ctrl+click deselects).
    int itemIndex() const;
    // Selects nothing, without emitting `chosen`.
    void clearItemIndex();

signals:
    void chosen();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tarvik
