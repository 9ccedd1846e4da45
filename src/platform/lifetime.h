#pragma once
#include <memory>

namespace scrivlet {

// Tells code that hands control to the program's handlers whether the object
// it belongs to still exists when they return: a handler may unload the form
// whose click runs it, or the object may go during a nested message loop or
// before a started program ends. The object holds a Lifetime; the caller takes
// a Watch before it calls out and asks it afterwards, touching nothing of the
// object when it is gone.
class Lifetime {
public:
    class Watch {
    public:
        bool alive() const { return !token_.expired(); }

    private:
        friend class Lifetime;
        explicit Watch(const std::shared_ptr<const bool>& token) : token_(token) {}
        std::weak_ptr<const bool> token_;
    };

    Lifetime() = default;
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    Watch watch() const { return Watch(token_); }
    // Ends it early, for an owner whose destructor still has work to do
    // after which nothing may take it for alive.
    void end() { token_.reset(); }

private:
    std::shared_ptr<const bool> token_ = std::make_shared<const bool>(true);
};

}  // namespace scrivlet
