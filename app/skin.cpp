#include "skin.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace tarvik {

void applySkin(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette;
    const QColor face(0xF0, 0xF0, 0xF0);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x78, 0xD0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x90, 0x90, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x90, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    app.setPalette(palette);
    // Steadier, and instant as a calculator should be.
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
}

} // namespace tarvik
