#pragma once

#include "settings/LaunchSettings.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace bv {

// The control that shows each setting is found by this name, its objectName: automation
// finds it by the same name.
const char* controlName(Text field);
const char* controlName(Check field);
const char* controlName(DmOption option);
const char* controlName(BotList list);

// Binds a window's controls to the settings record in both directions. A control is bound to
// the field whose control name it carries as its objectName, so one table serves every pane
// and window: the control shows each write to the record at once, and each edit is
// written to the record at once.
class SettingsBinder : public QObject {
    Q_OBJECT
public:
    explicit SettingsBinder(LaunchSettings& settings, QObject* parent = nullptr);

    // Binds every descendant of root named after a field. Returns the names bound.
    QStringList bindChildren(QWidget* root);

private:
    bool bindText(QWidget* control, Text field);
    bool bindCheck(QWidget* control, Check field);
    bool bindOption(QWidget* control, DmOption option);
    bool bindList(QWidget* control, BotList which);

    LaunchSettings& settings_;
};

} // namespace bv
