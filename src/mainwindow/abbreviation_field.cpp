#include "mainwindow/abbreviation_field.h"

#include "platform/text.h"
#include "store/message_text.h"

namespace scrivlet {

namespace {

const Message* formProblem(AbbreviationForm form) {
    switch (form) {
        case AbbreviationForm::Blank: return &messages::AbbreviationBlank;
        case AbbreviationForm::BadStart: return &messages::AbbreviationBadStart;
        case AbbreviationForm::EqualsSign: return &messages::AbbreviationEqualsSign;
        case AbbreviationForm::TooLong: return &messages::AbbreviationTooLong;
        case AbbreviationForm::Fit: break;
    }
    return nullptr;
}

}  // namespace

bool AbbreviationField::laterOfSameName() const {
    const ui::ListBox& list = form_.lbEntryList;
    for (int i = 0; i < list.count(); ++i)
        if (list.text(i) == name_ && list.itemData(i) < entry_) return true;
    return false;
}

std::string AbbreviationField::note() const {
    const std::string own = file_.abbreviationOf(name_);
    if (entry_ != 0 && !own.empty()) {
        if (laterOfSameName())
            return formatMessageText("Ein Eintrag weiter vorn in der Datei heißt ebenfalls '%1': das Kürzel '%2' "
                                     "gilt für ihn.",
                                     {name_, own});
        for (const Abbreviation& a : file_.abbreviations())
            if (a.name == name_ && a.sharedName)
                return formatMessageText("Mehrere Einträge heißen '%1': das Kürzel '%2' gilt für diesen, den "
                                         "ersten in der Datei.",
                                         {name_, own});
    }
    std::string unused;
    for (const Abbreviation& a : file_.abbreviations()) {
        if (a.entry != 0) continue;
        if (!unused.empty()) unused += ", ";
        unused += "'" + a.abbreviation + "' (" + a.name + ")";
    }
    return unused.empty() ? "" : "Unbenutzt, kein Eintrag hat ihren Namen: " + unused;
}

void AbbreviationField::show(std::int16_t entry, const std::string& name, bool usable) {
    entry_ = entry;
    name_ = name;
    shown_ = entry ? file_.abbreviationOf(name) : "";
    form_.abbreviationTB.setText(shown_);
    const bool editable = usable && entry != 0 && !laterOfSameName();
    form_.abbreviationTB.setEnabled(editable);
    form_.abbreviationLabel.setEnabled(usable && entry != 0);
    form_.abbreviationNote.setCaption(note());
}

void AbbreviationField::refuse(const Message& message, const std::vector<std::string>& values) {
    messages_.show(message, values);
    form_.abbreviationTB.setText(shown_);
}

void AbbreviationField::left() {
    if (entry_ == 0 || !form_.abbreviationTB.enabled()) return;
    const std::string wanted = trimBlanks(form_.abbreviationTB.text());
    if (wanted == shown_) {
        form_.abbreviationTB.setText(shown_);
        return;
    }
    const SnippetFile::AbbreviationChange change = file_.setAbbreviation(name_, wanted);
    if (change.form != AbbreviationForm::Fit) return refuse(*formProblem(change.form));
    if (change.takenBy)
        return refuse(messages::AbbreviationTaken, {wanted, *change.takenBy});
    reportWrite_(change.result);
    if (succeeded(change.result)) shown_ = wanted;
    form_.abbreviationTB.setText(shown_);
    form_.abbreviationNote.setCaption(note());
}

}  // namespace scrivlet
