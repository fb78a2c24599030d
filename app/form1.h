#pragma once

#include "core/accordion.h"
#include "core/calculator.h"
#include "core/window.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvik {

class DropDownList;
class KindsList;
class NumericEdit;

// The one main window. It builds its 49 components from the stored form
// description, forwards every event to the handlers in the core (each
// wrapped in the error guard) and carries out the window operations they ask
// for.
class TForm1 : public QWidget, public Window, public ComponentTree {
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

    using QWidget::setEnabled;
    using QWidget::setVisible;

    // Window
    void setOuterWidth(int width) override;
    void setVisible(DropDown list, bool visible) override;
    void clearItems(DropDown list) override;
    void appendItems(DropDown list, std::span<const std::u16string_view> texts) override;
    void setItemIndex(DropDown list, int index) override;
    int itemIndex(DropDown list) const override;
    int itemCount(DropDown list) const override;
    std::u16string itemText(DropDown list, int index) const override;
    void emptyPicker(DropDown list) override;
    void setEnabled(DropDown list, bool enabled) override;
    void setCaption(DropDown list, std::u16string_view caption) override;
    int kindsItemIndex(int section) const override;
    void clearKindsSelection(int section) override;
    int modeItemIndex() const override;
    void setModeItemText(int item, std::u16string_view text) override;
    void setResultText(std::u16string_view text) override;
    std::u16string inputText() const override;
    void setInputText(std::u16string_view text) override;
    int inputCaret() const override;
    void setInputCaption(std::u16string_view caption) override;
    void activateInputCaption() override;

    // ComponentTree
    int componentCount() const override;
    bool isWindowed(int component) const override;
    int parentOf(int component) const override;
    int topOf(int component) const override;
    int heightOf(int component) const override;
    void setTop(int component, int top) override;
    void setHeight(int component, int height) override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setResultSelectable(bool selectable);
    void copyResult(bool withUnit) const;
    void showResultMenu(const QPoint& at);
    void setUpKeyboard();
    // The right column is hidden while the window is narrow and the column
    // lies beyond its edge; its lists get their line edits and captions
    // placed when it is first shown.
    void showRightColumn();
    void createComponents();
    void setUpControls();
    void bindEvents();
    DropDownList* list(DropDown which) const;
    QWidget* widgetAt(int component) const;

    Calculator calc_;
    Accordion accordion_;
    SeparatorSource separatorSource_;

    std::vector<QObject*> components_; // creation order
    std::array<QPushButton*, 12> headers_{};
    std::array<KindsList*, 12> kindsLists_{};
    QGroupBox* sRadioGroup = nullptr;
    QButtonGroup* modeButtons_ = nullptr;
    std::array<QRadioButton*, 2> modeItems_{};
    DropDownList* sComboBoxElement = nullptr;
    DropDownList* sComboBoxE1 = nullptr;
    DropDownList* sComboBoxE2 = nullptr;
    QLabel* sLabelResult = nullptr;
    QPushButton* sButtonCalc = nullptr;
    NumericEdit* sEditParam = nullptr;
    QLabel* sEditParamBoundLabel = nullptr;
    QAction* copyNumber_ = nullptr;
    QAction* copyWithUnit_ = nullptr;
};

} // namespace tarvik
