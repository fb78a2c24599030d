#pragma once

#include "calculator/result_copy.h"

#include <QObject>

#include <string_view>

class QAction;
class QGroupBox;
class QLabel;
class QPoint;
class QWidget;

namespace tarvik {

// The result box: the label that shows the result, its copy menu and Ctrl+C.
// What is copied, and when, is the calculator's to say; the box only shows.
class ResultBox : public QObject {
    Q_OBJECT
public:
    ResultBox(QWidget& window, QGroupBox* box, QLabel* label, const Calculator& calc);

    void showText(std::u16string_view text);
    // Dims the shown result, which no longer belongs to the inputs beside it.
    void setOutOfDate(bool outOfDate, std::u16string_view description);
    void copy(ResultCopy which) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setSelectable(bool selectable);
    void showMenu(const QPoint& at);
    void copyOnCtrlC();

    QWidget& window_;
    QGroupBox* box_;
    QLabel* label_;
    const Calculator& calc_;
    QAction* copyNumber_;
    QAction* copyWithUnit_;
};

} // namespace tarvik
