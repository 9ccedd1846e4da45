#include "platform/ui/control.h"

#include <algorithm>

#include "platform/ui/form.h"

namespace scrivlet::ui {

Control::Control(Container* parent, std::string name, Rect geometry)
    : name_(std::move(name)), parent_(parent), geometry_(geometry) {
    if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
    // A control may go before its form: nothing may point at it afterwards.
    if (!parent_) return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    if (Form* f = form(); f && f->focused_ == this) f->focused_ = nullptr;
}

Form* Control::form() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(c);
}

void Control::setGeometry(Rect r) {
    if (r == geometry_) return;
    geometry_ = r;
    changed(Change::Geometry);
}

void Control::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    changed(Change::Enabled);
}

void Control::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    changed(Change::Visible);
}

void Control::setBackColour(Colour c) {
    if (c == backColour_) return;
    backColour_ = c;
    changed(Change::Colours);
}

void Control::setForeColour(Colour c) {
    if (c == foreColour_) return;
    foreColour_ = c;
    changed(Change::Colours);
}

void Control::setFocus() {
    if (Form* f = form()) f->moveFocus(this);
}

bool Control::hasFocus() {
    Form* f = form();
    return f && f->focused() == this;
}

void Control::loseFocus() {
    if (Form* f = form(); f && f->focused() == this) f->moveFocus(nullptr);
}

void Control::mouseDown(const MouseEvent& e) {
    if (enabled_ && onMouseDown) onMouseDown(e);
}

}  // namespace scrivlet::ui
