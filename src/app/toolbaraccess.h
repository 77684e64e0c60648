#pragma once

#include <QString>

class QToolBar;

// The toolbar's controls for assistive technology: each one's hint is its description, and the
// hint without the key in parentheses its name ("Ukončit program (Esc)" is "Ukončit program").
// Both follow the hint whenever it changes, as the reading buttons' hints do with the date.
namespace toolbaraccess {

// The name and hint of the toolbar's button for the controls that do not fit ("»").
inline const QString OverflowName = QStringLiteral("Další tlačítka lišty");

// Names every control on the toolbar that has a hint, now and at each change of the hint, and the
// button for the controls that do not fit.
void describeControls(QToolBar *bar);

// The hint without a trailing key in parentheses.
QString nameFromHint(const QString &hint);

} // namespace toolbaraccess
