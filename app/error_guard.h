#pragma once

#include "text/error_box.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <type_traits>
#include <utility>

namespace tarvik {

// The title of error boxes, after the program file's name.
QString applicationTitle(const QString& programFilePath);

// The modal error box: critical icon, one OK button.
void showErrorBox(QWidget* owner, const QString& text);

// Wraps a handler where it is connected, so that no exception ever crosses a
// signal emission or the event loop: a failure is shown in the error box and
// the window goes on in the state the handler left.
template <class... Args, class Handler> auto guarded(QWidget* owner, Handler handler)
{
    // The exact parameter list, so that Qt can count the slot's arguments.
    return [owner, handler = std::move(handler)](Args... args) {
        using Result = decltype(handler(args...));
        try {
            return handler(args...);
        } catch (...) {
            showErrorBox(owner, QString::fromStdU16String(errorBoxTextOfCurrentException()));
        }
        if constexpr (!std::is_void_v<Result>)
            return Result{};
    };
}

} // namespace tarvik
