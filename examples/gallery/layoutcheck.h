#pragma once
// Finds texts that a person could not read in full: a label, button, check
// box, tool button, combo box or group box title whose text needs more room
// than its widget has, a text widget that sticks out of the parents that
// show it, two texts drawn over each other, and a table or tree column that
// lies wholly outside its view.
//
// The window must be shown and laid out. Hidden widgets and those inside
// scrolling views (whose content scrolls into sight) are left alone.

#include <QString>
#include <QStringList>

class QWidget;

// One line per problem, naming the widget, its text and the sizes; empty
// when every text is readable.
QStringList FindTextProblems(QWidget* window);
