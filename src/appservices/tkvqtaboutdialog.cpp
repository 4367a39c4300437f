#include "appservices/tkvqtaboutdialog.h"

#include "appservices/tkvqtaboutunitdialog.h"

void TKvQtAboutDialog::Display(std::string moduleName) { TKvQtAboutUnitDialog::Execute(std::move(moduleName)); }
