#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/geometry.h"
#include "platform/ui/colour.h"

namespace scrivlet::ui {

class Container;
class Form;
class Control;

// What of a control's state changed, so that a native peer can follow.
enum class Change {
    Caption, Enabled, Visible, Geometry, Colours, Font, Items, Selection, Value, Text, Insert, Format,
    Focus
};

// The native counterpart of a control on a real desktop. The control's state is
// the truth; the peer shows it and reports the user's actions back to the
// control. The simulated desktop has no peers at all.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void update(Change change) = 0;
};

// A control of a form: state, events, and the classic form-designer rules the
// program relies on (a value set from code raises the same event as the user's
// action; geometry in twips; colours with the top bit set are system colours).
class Control {
public:
    Control(Container* parent, std::string name, Rect geometry);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Container* parent() const { return parent_; }
    Form* form();

    Rect geometry() const { return geometry_; }
    virtual void setGeometry(Rect r);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);

    Colour backColour() const { return backColour_; }
    void setBackColour(Colour c);
    Colour foreColour() const { return foreColour_; }
    void setForeColour(Colour c);

    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i) { tabIndex_ = i; }

    // Whether the control can take the keyboard focus at all.
    virtual bool focusable() const { return false; }
    void setFocus();
    bool hasFocus();
    // The focus leaves this control for none of the form's controls.
    void loseFocus();

    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseMove;

    // For tests and peers: a press of a mouse button on the control, and the
    // mouse moving over it.
    void mouseDown(const MouseEvent& e);
    void mouseMove(const MouseEvent& e) {
        if (enabled_ && onMouseMove) onMouseMove(e);
    }

    ControlPeer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

protected:
    // A change the native window made itself, so nothing is sent back to it.
    void storeGeometry(Rect r) { geometry_ = r; }
    void changed(Change change) {
        if (peer_) peer_->update(change);
    }

private:
    friend class Form;
    std::string name_;
    Container* parent_;
    Rect geometry_;
    bool enabled_ = true;
    bool visible_ = true;
    Colour backColour_ = ButtonFaceColour;
    Colour foreColour_ = ButtonTextColour;
    int tabIndex_ = 0;
    std::unique_ptr<ControlPeer> peer_;
};

// A control that holds others: forms, frames and borderless panels. Children
// keep their order of creation, which is the order a back-end creates them in.
class Container : public Control {
public:
    using Control::Control;
    const std::vector<Control*>& children() const { return children_; }

private:
    friend class Control;
    std::vector<Control*> children_;
};

// A frame with a caption drawn in its border.
class Frame : public Container {
public:
    Frame(Container* parent, std::string name, Rect geometry, std::string caption)
        : Container(parent, std::move(name), geometry), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

// A borderless container that groups option buttons and moves its children
// together.
class Panel : public Container {
public:
    using Container::Container;
};

}  // namespace scrivlet::ui
