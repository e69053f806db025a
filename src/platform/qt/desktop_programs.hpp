#pragma once
// Starting an outside program and choosing the printer, as this system's desktop does it.
#include <QString>

class QPrinter;
class QWidget;

namespace pemu::platform {

// Starts `program` without arguments in `workingFolder`, not waiting for it. On Windows the
// shell starts it, so a program that asks for administrator rights gets the system's
// question instead of failing. False when it could not be started.
bool StartProgram(const QString& program, const QString& workingFolder);

// Lets the user confirm or change the printer that `printer` is set up for. On Windows that
// is the system's printer dialog; elsewhere the default printer is taken as it is. False
// when the user cancelled.
bool ConfirmPrinter(QPrinter& printer, QWidget* parent);

}  // namespace pemu::platform
