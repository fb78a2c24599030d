#include "app/skin.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace tarvik {
namespace {

const char* const openProperty = "tarvikOpen";

namespace colour {
const QColor face(0xEE, 0xF0, 0xF3);
const QColor button(0xF8, 0xF9, 0xFB);
const QColor buttonHover(0xFF, 0xFF, 0xFF);
const QColor buttonDown(0xE1, 0xE5, 0xEB);
const QColor border(0xB4, 0xBA, 0xC3);
const QColor accent(0x2F, 0x6F, 0xB8);
const QColor accentLight(0xDC, 0xE8, 0xF6);
const QColor text(0x00, 0x00, 0x00);
const QColor disabledText(0x8C, 0x92, 0x9A);
} // namespace colour

// Flat push buttons with a one-pixel border; the open section's header in
// the accent colour; a dotted focus mark. Everything else is Fusion's.
class SkinStyle : public QProxyStyle {
public:
    SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelButtonCommand) {
            drawFlatButton(option, painter, widget);
            return;
        }
        if (element == PE_FrameFocusRect) {
            // The flat buttons draw their own focus mark.
            if (!qobject_cast<const QPushButton*>(widget))
                drawFocusMark(option, painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    static void drawFlatButton(const QStyleOption* option, QPainter* painter, const QWidget* widget)
    {
        const bool open = widget && widget->property(openProperty).toBool();
        const bool down = option->state & (State_Sunken | State_On);
        const bool hover = option->state & State_MouseOver && option->state & State_Enabled;
        QColor fill = open ? colour::accentLight : colour::button;
        if (down)
            fill = colour::buttonDown;
        else if (hover && !open)
            fill = colour::buttonHover;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(option->rect, fill);
        painter->setPen(open ? colour::accent : colour::border);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        if (open) {
            // A bar along the bottom edge says "this section is open".
            painter->fillRect(
                QRect(option->rect.left() + 1, option->rect.bottom() - 2, option->rect.width() - 2, 2),
                colour::accent);
        }
        painter->restore();
        // Fusion draws a drop-down list's arrow as a button panel too; the
        // list's own frame shows its focus.
        if (option->state & State_HasFocus && qobject_cast<const QPushButton*>(widget)) {
            QStyleOption inside(*option);
            inside.rect = option->rect.adjusted(3, 3, -3, open ? -4 : -3);
            drawFocusMark(&inside, painter);
        }
    }

    // The keyboard focus: a dotted rectangle, shown whether the focus came by
    // keyboard or by mouse (Fusion shows it only after a key), in a colour
    // that stands out on the selection too. It never uses the accent colour
    // that marks the open section.
    static void drawFocusMark(const QStyleOption* option, QPainter* painter)
    {
        QColor ink = colour::text;
        if (const auto* focusRect = qstyleoption_cast<const QStyleOptionFocusRect*>(option)) {
            if (focusRect->backgroundColor.isValid() && focusRect->backgroundColor.lightness() < 128)
                ink = Qt::white;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(ink, 1, Qt::DotLine));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

QPalette skinPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, colour::face);
    p.setColor(QPalette::Button, colour::button);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xE4, 0xE7, 0xEB));
    p.setColor(QPalette::Mid, colour::border);
    p.setColor(QPalette::Dark, QColor(0x8E, 0x95, 0x9E));
    p.setColor(QPalette::Shadow, QColor(0x5A, 0x60, 0x68));
    p.setColor(QPalette::WindowText, colour::text);
    p.setColor(QPalette::ButtonText, colour::text);
    p.setColor(QPalette::Text, colour::text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xF6, 0xF7, 0xF9));
    p.setColor(QPalette::Highlight, colour::accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::ToolTipText, colour::text);
    p.setColor(QPalette::PlaceholderText, colour::disabledText);
    p.setColor(QPalette::Link, colour::accent);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, colour::disabledText);
    p.setColor(QPalette::Disabled, QPalette::Base, colour::face);
    return p;
}

} // namespace

void applySkin(QApplication& app)
{
    app.setStyle(new SkinStyle);
    app.setPalette(skinPalette());
    // Instant, as a calculator should be; also steadier under test.
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
}

void markOpenHeader(QWidget* header, bool open)
{
    if (header->property(openProperty).toBool() == open)
        return;
    header->setProperty(openProperty, open);
    header->update();
}

} // namespace tarvik
