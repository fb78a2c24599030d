#pragma once

#include "app/form_builder.h"
#include "app/material_controls.h"
#include "app/qt_window.h"
#include "app/result_box.h"
#include "calculator/accordion.h"
#include "calculator/calculator.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace tarvik {

class EstimateKeeper;
class EstimateWindow;

// The one main window. It builds its components from the stored form
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

    // Where the material's choice is kept between runs: the user's settings,
    // unless a test gives a store of its own. Setting one reads it back.
    struct MaterialStore {
        std::function<QString()> load;
        std::function<void(const QString&)> save;
    };
    void setMaterialStore(MaterialStore store);

    // Places the window at its stored position, kept inside the available
    // area of the screen that holds that position.
    void placeOnScreen();

    const Calculator& calculator() const { return calc_; }
    const Accordion& accordion() const { return accordion_; }
    Window& window() { return window_; }
    const Window& window() const { return window_; }
    const ComponentTree& components() const { return components_; }

    // The estimate's window, made the first time it is asked for: a start
    // without it reads no estimate.
    EstimateWindow& estimateWindow();
    bool hasEstimateWindow() const { return estimateWindow_ != nullptr; }
    // Opens the estimate's window again when it was open as the program
    // last ended; the calculator keeps the focus.
    void reopenEstimate();
    // The same, once the calculator has first been painted: reading the
    // estimate and building its window then never hold up the calculator.
    void reopenEstimateOncePainted();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void bindEvents();
    void bindMaterialEvents();
    void unbindEvents();
    void saveMaterial();

    FormControls controls_;
    ResultBox result_;
    QtWindow window_;
    QtMaterial material_;
    QtComponentTree components_;
    SeparatorSource separatorSource_;
    MaterialStore materialStore_;
    Calculator calc_;
    Accordion accordion_;
    std::unique_ptr<EstimateKeeper> keeper_;
    std::unique_ptr<EstimateWindow> estimateWindow_; // before the keeper it shows
};

} // namespace tarvik
