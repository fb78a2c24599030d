#include "app/error_guard.h"

#include "app/window_placement.h"
#include "number/errors.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace tarvik {

QString applicationTitle(const QString& programFilePath)
{
    return QString::fromStdU16String(errorBoxTitle(QFileInfo(programFilePath).fileName().toStdU16String()));
}

namespace {

constexpr QChar zeroWidthSpace(0x200B);
// Runs of more characters than this without a space may break anywhere.
constexpr qsizetype longestUnbrokenRun = 30;
// The widest the text grows before it wraps, as a message box's text does.
constexpr int widestText = 500;

// `text` with its middle left out, `keep` characters kept at most: the start
// and the end of a quoted input are what tells the user which input it was.
// Surrogate pairs stay whole.
QString middleElided(const QString& text, qsizetype keep)
{
    if (keep >= text.size())
        return text;
    qsizetype head = keep - keep / 2;
    qsizetype tail = text.size() - keep / 2;
    if (head > 0 && text[head - 1].isHighSurrogate())
        --head;
    if (tail < text.size() && text[tail].isLowSurrogate())
        ++tail;
    // Spaced, so that the gap shows within a run of digits.
    return text.left(head) + QStringLiteral(" \u2026 ") + text.mid(tail);
}

// The message with the user's quoted text between Unicode isolates, so that
// a right-to-left character in it cannot turn the rest of the sentence
// round. Only what is drawn: the box's text() stays exact.
QString isolatedQuote(const QString& message)
{
    const QuotedSpan span = quotedInput(message.toStdU16String());
    if (span.start == 0)
        return message;
    const auto start = static_cast<qsizetype>(span.start);
    const auto length = static_cast<qsizetype>(span.length);
    return message.left(start) + QChar(0x2068) + message.mid(start, length) + QChar(0x2069) +
           message.mid(start + length);
}

// Lets a long run without spaces wrap at the text's edge: a plain-text label
// breaks lines only between words, and a pasted number of thousands of
// digits is one word.
QString breakableAnywhere(const QString& text)
{
    QString out;
    out.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace())
            continue;
        const QStringView run = QStringView(text).mid(runStart, i - runStart);
        if (run.size() <= longestUnbrokenRun) {
            out += run;
        } else {
            for (qsizetype k = 0; k < run.size(); ++k) {
                out += run[k];
                if (!run[k].isHighSurrogate())
                    out += zeroWidthSpace;
            }
        }
        if (i < text.size())
            out += text[i];
        runStart = i + 1;
    }
    return out;
}

// The error box for any text, on any screen: whole, on the screen, its OK
// button in reach. It shows the whole message where it fits, and otherwise
// the message's start and end around an ellipsis. Its text() stays the
// whole message, and so does what Ctrl+C copies from it.
class ErrorBox : public QMessageBox {
public:
    ErrorBox(const QString& title, const QString& message, QWidget* owner)
        : QMessageBox(QMessageBox::Critical, title, message, QMessageBox::Ok, owner), shown_(new QLabel(this))
    {
        // The message quotes what the user pasted: markup in it is text too.
        setTextFormat(Qt::PlainText);
        shown_->setObjectName(QStringLiteral("errorBoxShownText"));
        shown_->setTextFormat(Qt::PlainText);
        shown_->setWordWrap(true);
        // The box's own label sizes itself to the whole text; the shown
        // label takes its place in the box's grid.
        auto* grid = qobject_cast<QGridLayout*>(layout());
        auto* own = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (grid && own && grid->indexOf(own) >= 0) {
            int row = 0, column = 0, rows = 1, columns = 1;
            grid->getItemPosition(grid->indexOf(own), &row, &column, &rows, &columns);
            shown_->setAlignment(own->alignment());
            shown_->setContentsMargins(own->contentsMargins());
            grid->removeWidget(own);
            own->hide();
            grid->addWidget(shown_, row, column, rows, columns);
        } else {
            shown_->hide();
        }
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // sizes and places the box for its own label
        if (!shown_->isHidden())
            fitToScreen();
    }

private:
    // The box's size with `keep` characters of the message shown.
    QSize sizeShowing(qsizetype keep, int textWidth)
    {
        shown_->setText(breakableAnywhere(middleElided(isolatedQuote(text()), keep)));
        shown_->setFixedWidth(std::max(1, textWidth));
        layout()->activate();
        const int width = layout()->totalMinimumSize().width();
        return {width, layout()->totalHeightForWidth(width)};
    }

    void fitToScreen()
    {
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen* where = owner && owner->screen() ? owner->screen() : screen();
        if (!where)
            return;
        const QRect area = where->availableGeometry();
        // The window manager frames the box as it frames the main window.
        const QMargins frame = owner ? frameMargins(*owner) : QMargins();
        const QSize room(area.width() - frame.left() - frame.right(),
                         area.height() - frame.top() - frame.bottom());

        const int besideText = sizeShowing(0, 1).width() - 1;
        const QFontMetrics metrics(shown_->font());
        const int textWidth = std::min({widestText, room.width() - besideText,
                                        metrics.horizontalAdvance(text()) + metrics.averageCharWidth()});
        auto fits = [&](qsizetype keep) {
            const QSize size = sizeShowing(keep, textWidth);
            return size.width() <= room.width() && size.height() <= room.height();
        };
        qsizetype keep = isolatedQuote(text()).size();
        if (!fits(keep)) {
            // The most characters that still fit, found by halving.
            qsizetype low = 0, high = keep;
            while (high - low > 1) {
                const qsizetype middle = low + (high - low) / 2;
                (fits(middle) ? low : high) = middle;
            }
            keep = low;
        }
        setFixedSize(sizeShowing(keep, textWidth));

        // Centred over the main window, as a dialog is, and then on the
        // screen; placed again once the window manager has framed it.
        QPoint wanted = pos();
        if (owner) {
            const QRect over = owner->frameGeometry();
            wanted = over.center() - QPoint((width() + frame.left() + frame.right()) / 2,
                                            (height() + frame.top() + frame.bottom()) / 2);
        }
        placeWindow(*this, wanted);
        if (!placer_)
            placer_ = new FramePlacer(*this, frameGeometry().topLeft());
    }

    QLabel* shown_;
    FramePlacer* placer_ = nullptr;
};

} // namespace

void showErrorBox(QWidget* owner, const QString& text)
{
    ErrorBox box(applicationTitle(QCoreApplication::applicationFilePath()), text, owner);
    box.exec();
}

} // namespace tarvik
