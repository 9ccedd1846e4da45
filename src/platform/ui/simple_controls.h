#pragma once
#include <functional>
#include <string>

#include "platform/ui/control.h"
#include "platform/ui/form.h"

namespace scrivlet::ui {

enum class Alignment { Left, Centre, Right };

// A control with a caption: labels, buttons, check boxes, option buttons.
class CaptionedControl : public Control {
public:
    CaptionedControl(Container* parent, std::string name, Rect geometry, std::string caption)
        : Control(parent, std::move(name), geometry), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) {
        if (c == caption_) return;
        caption_ = c;
        changed(Change::Caption);
    }
    bool bold() const { return bold_; }
    void setBold(bool b) {
        bold_ = b;
        changed(Change::Font);
    }

private:
    std::string caption_;
    bool bold_ = false;
};

class Label : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    Alignment alignment = Alignment::Left;
    // A sunken edge around it, as around a colour sample.
    bool border = false;
};

// A push button; a picture button shows its image above the caption.
class Button : public CaptionedControl {
public:
    Button(Container* parent, std::string name, Rect geometry, std::string caption,
           Picture picture = Picture::None)
        : CaptionedControl(parent, std::move(name), geometry, std::move(caption)), picture_(picture) {}
    bool focusable() const override { return true; }
    Picture picture() const { return picture_; }
    bool isDefault = false;  // answers Enter in its form
    bool isCancel = false;   // answers Esc in its form

    std::function<void()> onClick;
    // The user's click (or Enter/Esc for a default/cancel button).
    void click() {
        if (!enabled() || !visible()) return;
        setFocus();
        if (onClick) onClick();
    }

private:
    Picture picture_;
};

// A check box with the value 0 or 1; every change of the value, by the user or
// by code, raises onClick.
class CheckBox : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    bool focusable() const override { return true; }
    int value() const { return value_; }
    void setValue(int v) {
        v = v ? 1 : 0;
        if (v == value_) return;
        value_ = v;
        changed(Change::Value);
        if (onClick) onClick();
    }
    void click() {
        if (!enabled() || !visible()) return;
        setFocus();
        setValue(!value_);
    }
    std::function<void()> onClick;

private:
    int value_ = 0;
};

// One of the option buttons of a container: selecting one, by the user or by
// code, clears the others and raises its onClick.
class OptionButton : public CaptionedControl {
public:
    OptionButton(Container* parent, std::string name, Rect geometry, std::string caption, int index = 0)
        : CaptionedControl(parent, std::move(name), geometry, std::move(caption)), index_(index) {}
    bool focusable() const override { return true; }
    int index() const { return index_; }
    bool value() const { return value_; }
    void setValue(bool on);
    void click() {
        if (!enabled() || !visible()) return;
        setFocus();
        setValue(true);
    }
    std::function<void()> onClick;
    // Drawn as a bar in the back colour instead of a round button.
    bool barStyle = false;

private:
    int index_;
    bool value_ = false;
};

// A straight line, in twips relative to its container.
class Line : public Control {
public:
    Line(Container* parent, std::string name, int x1, int y1, int x2, int y2)
        : Control(parent, std::move(name), {x1, y1, x2 - x1, y2 - y1}) {}
};

enum class ShapeKind { Rectangle, Circle };

// A drawn outline or filled shape.
class Shape : public Control {
public:
    Shape(Container* parent, std::string name, Rect geometry, ShapeKind kind, Colour border,
          bool filled = false)
        : Control(parent, std::move(name), geometry), kind_(kind), border_(border), filled_(filled) {}
    ShapeKind kind() const { return kind_; }
    Colour borderColour() const { return border_; }
    bool filled() const { return filled_; }
    // The outline's width in pixels, drawn inside the shape's rectangle.
    int borderWidth = 1;

private:
    ShapeKind kind_;
    Colour border_;
    bool filled_;
};

// An image the program draws itself, painted by its container as lines and
// shapes are: the shapes drawn after it and the controls lying over it stay in
// sight. It fills its rectangle.
class Image : public Control {
public:
    Image(Container* parent, std::string name, Rect geometry, Picture picture)
        : Control(parent, std::move(name), geometry), picture_(picture) {}
    Picture picture() const { return picture_; }

private:
    Picture picture_;
};

// A single-line text field.
class TextBox : public Control {
public:
    using Control::Control;
    bool focusable() const override { return true; }
    const std::string& text() const { return text_; }
    void setText(const std::string& t) {
        if (t == text_) return;
        text_ = t;
        changed(Change::Text);
        if (onChange) onChange();
    }
    bool readOnly = false;
    std::function<void()> onChange;
    // A key pressed in the field, before the field takes it: a handler that
    // sets consumed keeps it from the field (and Enter or Esc from the
    // form's buttons).
    std::function<void(KeyEvent&)> onKeyDown;
    // The user presses a key in the field; true when a handler consumed it.
    bool pressKey(int keyCode, int shiftState = shift::None) {
        KeyEvent key{keyCode, shiftState, false};
        if (enabled() && onKeyDown) onKeyDown(key);
        return key.consumed;
    }
    // The user's typing, as the peer reports it.
    void reportText(const std::string& t) {
        text_ = t;
        if (onChange) onChange();
    }

private:
    std::string text_;
};

}  // namespace scrivlet::ui
