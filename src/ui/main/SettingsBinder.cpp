#include "SettingsBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QWidget>

#include <array>

namespace bv {

namespace {

// Indexed by the enums, as std::array so that a debug build checks every index.
// In the order of the Text enum.
constexpr std::array<const char*, kTextCount> kTextControls = {
    "comboEXE",      "txtWarp",         "txtPWADS",    "txtHeap",     "txtWidth",
    "txtHeight",     "txtPar",          "txtDir",      "txtWeap",     "txtBotSkill",
    "txtName",       "txtComputerName", "txtComPorts", "txtParFile",  "txtExecCFG",
    "txtConfigFile", "txtMax",          "txtMaticPar", "txtDemoFile", "txtDemoDir",
};

// In the order of the Check enum.
constexpr std::array<const char*, kCheckCount> kCheckControls = {
    "checkMLOOK", "check3DFX", "checkCTF",     "checkMon",
    "checkWeapD", "checkGL",   "checkRecDemo", "checkPlayDemo",
};

constexpr std::array<const char*, 3> kDmControls = {"optionDMNone", "optionDM", "optionDM2"};
constexpr std::array<const char*, 2> kListControls = {"fileBots", "listUseBots"};

template <typename Enum> Enum nth(int i) {
    return static_cast<Enum>(i);
}

// A text that is one of the list's entries also selects that entry, so the open list shows it.
void showComboText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

} // namespace

const char* controlName(Text field) {
    return kTextControls[static_cast<size_t>(field)];
}
const char* controlName(Check field) {
    return kCheckControls[static_cast<size_t>(field)];
}
const char* controlName(DmOption option) {
    return kDmControls[static_cast<size_t>(option)];
}
const char* controlName(BotList list) {
    return kListControls[static_cast<size_t>(list)];
}

SettingsBinder::SettingsBinder(LaunchSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

QStringList SettingsBinder::bindChildren(QWidget* root) {
    QStringList bound;
    // One walk of the tree rather than a search of it for each of the 33 names: the first pane
    // is bound before the window first shows.
    QHash<QString, QWidget*> named;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (!child->objectName().isEmpty() && !named.contains(child->objectName()))
            named.insert(child->objectName(), child);
    }
    const auto find = [&named](const char* name) { return named.value(QLatin1String(name)); };
    const auto note = [&bound](bool ok, const char* name) {
        if (ok)
            bound << QLatin1String(name);
    };
    for (int i = 0; i < kTextCount; ++i) {
        const char* name = controlName(nth<Text>(i));
        note(bindText(find(name), nth<Text>(i)), name);
    }
    for (int i = 0; i < kCheckCount; ++i) {
        const char* name = controlName(nth<Check>(i));
        note(bindCheck(find(name), nth<Check>(i)), name);
    }
    for (DmOption option : {DmOption::none, DmOption::deathmatch, DmOption::altDeath})
        note(bindOption(find(controlName(option)), option), controlName(option));
    for (BotList which : {BotList::availableBots, BotList::selectedBots})
        note(bindList(find(controlName(which)), which), controlName(which));
    return bound;
}

bool SettingsBinder::bindText(QWidget* control, Text field) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(settings_.text(field));
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { settings_.setText(field, text); });
        connect(&settings_, &LaunchSettings::textChanged, edit, [this, edit, field](Text changed) {
            // Only a real change is put back, so the caret of a typing user stays put.
            if (changed == field && edit->text() != settings_.text(field))
                edit->setText(settings_.text(field));
        });
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        showComboText(combo, settings_.text(field));
        connect(combo, &QComboBox::currentTextChanged, this,
                [this, field](const QString& text) { settings_.setText(field, text); });
        connect(&settings_, &LaunchSettings::textChanged, combo,
                [this, combo, field](Text changed) {
                    if (changed == field && combo->currentText() != settings_.text(field))
                        showComboText(combo, settings_.text(field));
                });
        return true;
    }
    return false;
}

bool SettingsBinder::bindCheck(QWidget* control, Check field) {
    auto* box = qobject_cast<QCheckBox*>(control);
    if (!box)
        return false;
    box->setChecked(settings_.checked(field));
    connect(box, &QCheckBox::toggled, this,
            [this, field](bool on) { settings_.setCheck(field, on ? 1 : 0); });
    connect(&settings_, &LaunchSettings::checkChanged, box, [this, box, field](Check changed) {
        if (changed == field)
            box->setChecked(settings_.checked(field));
    });
    return true;
}

bool SettingsBinder::bindOption(QWidget* control, DmOption option) {
    auto* button = qobject_cast<QRadioButton*>(control);
    if (!button)
        return false;
    button->setChecked(settings_.dm() == option);
    // Only the newly selected button writes; the group clears the others by itself.
    connect(button, &QRadioButton::toggled, this, [this, option](bool on) {
        if (on)
            settings_.setDm(option);
    });
    connect(&settings_, &LaunchSettings::dmChanged, button, [this, button, option] {
        if (settings_.dm() == option)
            button->setChecked(true);
    });
    return true;
}

bool SettingsBinder::bindList(QWidget* control, BotList which) {
    auto* list = qobject_cast<QListWidget*>(control);
    if (!list)
        return false;
    const auto fill = [this, list, which] {
        list->clear();
        list->addItems(settings_.list(which));
    };
    fill();
    connect(&settings_, &LaunchSettings::listChanged, list, [fill, which](BotList changed) {
        if (changed == which)
            fill();
    });
    return true;
}

} // namespace bv
