#pragma once

#include <QPushButton>

// A push button whose caption wraps onto several lines, as the narrow buttons of the
// information window need.
class WrappingButton : public QPushButton {
  public:
    explicit WrappingButton(QWidget* parent = nullptr) : QPushButton(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};
