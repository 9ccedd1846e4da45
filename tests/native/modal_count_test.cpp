// The program's modal loops counted while they are open: work that must not
// run under one (reading the snippet file anew) waits until none is.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/modal_count.h"
#include "platform/sim/sim_ui.h"
#include "platform/ui/counted_ui.h"
#include "platform/ui/form.h"

namespace scrivlet {
namespace {

// Dialogs that note, while each is open, whether the count saw it.
class ProbingDialogs : public Dialogs {
public:
    explicit ProbingDialogs(std::function<void()> probe) : probe_(std::move(probe)) {}
    MessageAnswer message(const MessageRequest&) override {
        probe_();
        return MessageAnswer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        probe_();
        return {};
    }
    std::string chooseFolder(WindowId, const std::string&) override {
        probe_();
        return {};
    }
    std::optional<Colour> chooseColour(WindowId, Colour) override {
        probe_();
        return std::nullopt;
    }

private:
    std::function<void()> probe_;
};

struct Counted {
    ModalCount count;
    std::vector<bool> seen;  // count.open() at each probe
    ProbingDialogs probing{[this] { seen.push_back(count.open()); }};
    CountedDialogs dialogs{probing, count};
    SimUi sim;
    ui::CountedUi ui{sim, count};
    ui::Form form{ui, "frmTest", 3000, 2000, {}};
};

TEST(ModalCount, EachModalLoopIsOpenUntilItReturns) {
    const struct {
        const char* label;
        std::function<void(Counted&)> run;
        std::vector<bool> seen;
    } cases[] = {
        // Message and input boxes, modal forms and the pop-up menu are
        // told by the stories of reading the file anew.
        {"folder chooser", [](Counted& c) { c.dialogs.chooseFolder(0, "Ordner"); }, {true}},
        {"colour chooser", [](Counted& c) { c.dialogs.chooseColour(0, 0x00FF00); }, {true}},
        {"a message box in a modal form, and the form after it",
         [](Counted& c) {
             c.sim.whenModal([&c](ui::Form& f) {
                 c.dialogs.message({"Text", "Titel"});
                 c.seen.push_back(c.count.open());
                 f.hide();
             });
             c.form.showModal();
         },
         {true, true}},
        {"a modeless form is no modal loop",
         [](Counted& c) {
             c.form.show();
             c.seen.push_back(c.count.open());
         },
         {false}},
    };
    for (const auto& c : cases) {
        Counted counted;
        c.run(counted);
        EXPECT_EQ(counted.seen, c.seen) << c.label;
        EXPECT_FALSE(counted.count.open()) << c.label << ": still open after it returned";
    }
}

}  // namespace
}  // namespace scrivlet
