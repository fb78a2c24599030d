#pragma once

#include "core/accordion.h"
#include "core/calculator.h"
#include "form_builder.h"
#include "qt_window.h"
#include "result_box.h"

#include <QWidget>

#include <functional>

namespace tarvik {

// The one main window. It builds its 49 components from the stored form
// layout and forwards every event to the handlers in the core, each wrapped
// in the error guard; the handlers drive the widgets through `window()`.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Where the decimal separator comes from; re-read when the platform
    // announces changed locale settings. Tests replace it.
    using SeparatorSource = std::function<char16_t()>;
    void setSeparatorSource(SeparatorSource source);

    // Places the window at its stored position, kept inside the available
    // area of the screen that holds that position.
    void placeOnScreen();

    const Calculator& calculator() const { return calc_; }
    const Accordion& accordion() const { return accordion_; }
    Window& window() { return window_; }
    const Window& window() const { return window_; }
    const ComponentTree& components() const { return components_; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void bindEvents();
    void unbindEvents();

    FormControls controls_;
    ResultBox result_;
    QtWindow window_;
    QtComponentTree components_;
    SeparatorSource separatorSource_;
    Calculator calc_;
    Accordion accordion_;
};

} // namespace tarvik
