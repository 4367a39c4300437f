#include "properties/tqproperty.h"

// Out-of-line destructors anchor each kind's type information in the library.
TQProperty::~TQProperty() = default;
TBoolProperty::~TBoolProperty() = default;
TStringProperty::~TStringProperty() = default;
TFileOpenProperty::~TFileOpenProperty() = default;
TFilesOpenProperty::~TFilesOpenProperty() = default;
TFileSaveProperty::~TFileSaveProperty() = default;

template class TTypeProperty<int>;
template class TTypeProperty<unsigned long>;
template class TTypeProperty<float>;
template class TTypeProperty<double>;
