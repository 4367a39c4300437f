#pragma once
// Property descriptors: each describes one of the caller's variables for the
// property dialog (TKvQPropertiesDlg) and is bound to it by pointer. The
// dialog tells the kinds apart by their dynamic type.
//
// Descriptors are plain records with public fields; the pointers they hold
// (the bound variables) belong to the caller and must outlive the dialog.
// Every std::string holds UTF-8.

#include "kvqtcpnt_export.h"

#include <string>
#include <vector>

class KVQTCPNT_EXPORT TQProperty {
public:
  TQProperty(std::string name, std::string description)
      : FName(std::move(name)), FDescription(std::move(description)) {}
  virtual ~TQProperty();

  std::string FName;        // the row's caption, and the key of TQProperties::FindItem
  std::string FDescription; // tool tip of the row's caption and value
};

// A number between a minimum and a maximum. For int and unsigned long the
// step is not used by the dialog; for float and double it is the spin box's.
template <class T> class TTypeProperty : public TQProperty {
public:
  TTypeProperty(std::string name, std::string description, T step, T minimum, T maximum, T* value)
      : TQProperty(std::move(name), std::move(description)), FStep(step), FMinimum(minimum), FMaximum(maximum),
        FValue(value) {}
  ~TTypeProperty() override = default;

  T FStep;
  T FMinimum;
  T FMaximum;
  T* FValue;
};

// One shared type identity across the library and its callers.
extern template class KVQTCPNT_EXPORT TTypeProperty<int>;
extern template class KVQTCPNT_EXPORT TTypeProperty<unsigned long>;
extern template class KVQTCPNT_EXPORT TTypeProperty<float>;
extern template class KVQTCPNT_EXPORT TTypeProperty<double>;

class KVQTCPNT_EXPORT TBoolProperty : public TQProperty {
public:
  TBoolProperty(std::string name, std::string description, bool* value)
      : TQProperty(std::move(name), std::move(description)), FValue(value) {}
  ~TBoolProperty() override;
  bool* FValue;
};

class KVQTCPNT_EXPORT TStringProperty : public TQProperty {
public:
  TStringProperty(std::string name, std::string description, std::string* value)
      : TQProperty(std::move(name), std::move(description)), FValue(value) {}
  ~TStringProperty() override;
  std::string* FValue;
};

// A file to read; with multiSelect the row offers the multi-file editor and
// the value holds the names joined with "|".
class KVQTCPNT_EXPORT TFileOpenProperty : public TQProperty {
public:
  TFileOpenProperty(std::string name, std::string description, std::string* value, std::string filter,
                    bool multiSelect = false)
      : TQProperty(std::move(name), std::move(description)), FValue(value), FFilter(std::move(filter)),
        FMultiSelect(multiSelect) {}
  ~TFileOpenProperty() override;
  std::string* FValue;
  std::string FFilter; // "description|pattern|..." as the file dialogs take it
  bool FMultiSelect;
};

// Several files to read, edited in the multi-file editor.
class KVQTCPNT_EXPORT TFilesOpenProperty : public TQProperty {
public:
  TFilesOpenProperty(std::string name, std::string description, std::vector<std::string>* value,
                     std::string filter)
      : TQProperty(std::move(name), std::move(description)), FValue(value), FFilter(std::move(filter)) {}
  ~TFilesOpenProperty() override;
  std::vector<std::string>* FValue;
  std::string FFilter;
};

// A file to write.
class KVQTCPNT_EXPORT TFileSaveProperty : public TQProperty {
public:
  TFileSaveProperty(std::string name, std::string description, std::string* value, std::string filter)
      : TQProperty(std::move(name), std::move(description)), FValue(value), FFilter(std::move(filter)) {}
  ~TFileSaveProperty() override;
  std::string* FValue;
  std::string FFilter;
};
