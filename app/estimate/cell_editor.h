#pragma once

// Editors of the estimate's number cells: the number field's key rule with
// the cell's own limit of decimals. A refused key is said, not swallowed in
// silence; a paste arrives cleaned as in the number field.

#include <QLineEdit>
#include <QStyledItemDelegate>

#include <functional>

namespace tarvik {

class CellEdit : public QLineEdit {
    Q_OBJECT
public:
    CellEdit(QWidget* parent, char16_t separator, int decimals);

signals:
    void refusedKey(const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    char16_t separator_;
    int decimals_;
};

// Gives each typed cell a CellEdit, each chosen cell («за») a list of its
// choices that commits the one taken at once; the separator is asked for
// each new editor, so that it follows the estimate shown.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(std::function<char16_t()> separator, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    void refusedKey(const QString& reason);

private slots:
    void commitChoice();

private:
    std::function<char16_t()> separator_;
};

} // namespace tarvik
