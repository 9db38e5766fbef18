#pragma once

#include <QLineEdit>
#include <QPushButton>

// Reading number fields the way dialogs always have: on a failure the standard message is shown,
// the field gets the focus with its text selected, and the answer is false.

// A signed integer from minimum to maximum.
bool ExchangeInteger(QLineEdit& edit, int minimum, int maximum, int& value);
// An integer of digits alone (no sign) from minimum to maximum.
bool ExchangeUnsigned(QLineEdit& edit, int minimum, int maximum, int& value);

// A push button that tests find by name and that Enter does not press.
QPushButton* DialogButton(QWidget* parent, const char* text, const char* name);
