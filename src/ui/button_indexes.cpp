#include "ui/button_indexes.h"

#include <array>

#include "ui_main_window.h"

namespace {

using Button = QPushButton* Ui::Form1::*;

const std::array<Button, kBtnCount> kButtons{
    &Ui::Form1::Btn0,  &Ui::Form1::Btn1,  &Ui::Form1::Btn2,  &Ui::Form1::Btn3,  &Ui::Form1::Btn4,
    &Ui::Form1::Btn5,  &Ui::Form1::Btn6,  &Ui::Form1::Btn7,  &Ui::Form1::Btn8,  &Ui::Form1::Btn9,
    &Ui::Form1::Btn10, &Ui::Form1::Btn11, &Ui::Form1::Btn12, &Ui::Form1::Btn13, nullptr,
    &Ui::Form1::Btn15, &Ui::Form1::Btn16, &Ui::Form1::Btn17, &Ui::Form1::Btn18, &Ui::Form1::Btn19,
    &Ui::Form1::Btn20, &Ui::Form1::Btn21, &Ui::Form1::Btn22, &Ui::Form1::Btn23, &Ui::Form1::Btn24,
    &Ui::Form1::Btn25,
};

}  // namespace

QPushButton* Btn(const Ui::Form1& form, int index) {
    if (index < 0 || index >= kBtnCount) {
        return nullptr;
    }
    const Button button = kButtons[static_cast<size_t>(index)];
    return button ? form.*button : nullptr;
}
