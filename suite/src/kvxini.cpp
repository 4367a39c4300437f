// Ini files of ordered sections: written whole, read back by name or place.
//
// The text is the suite's ini grammar (kvconfig_p.h): every key and value
// round-trips whatever bytes it holds, and an empty key is written as a line
// starting with "=", so lists come back in order. Sections keep the order of
// BeginSectionSE; a name used twice gives two sections and EnterSectionS
// finds the first.

#include "kvconfig_p.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

TKvXIniWriter::TKvXIniWriter() = default;
TKvXIniWriter::~TKvXIniWriter() = default;

void TKvXIniWriter::BeginSectionSE(const std::string& name)
{
  if (FOpen) {
    throw TKvMessage("@TKvXIniWriter::BeginSectionSE(): section \"%1%\" is still open when \"%2%\" begins")
        << FSections.back().Name << name;
  }
  FSections.push_back({name, {}});
  FOpen = true;
}

void TKvXIniWriter::EndSection() { FOpen = false; }

bool TKvXIniWriter::WriteS(const std::string& key, const std::string& value)
{
  if (!FOpen) return false;
  FSections.back().Values.emplace_back(key, value);
  return true;
}

void TKvXIniWriter::Error(const std::string& text) { FErrors.push_back(text); }

std::string TKvXIniWriter::Text() const
{
  std::vector<kvcfg::TIniSection> sections;
  sections.reserve(FSections.size());
  for (const TSection& s : FSections) sections.push_back({s.Name, s.Values});
  return kvcfg::FormatIni(sections, std::string());
}

void TKvXIniWriter::SaveToFileE(const std::string& fileName) const
{
  kvcfg::WriteFileAtomically(fileName, Text());
}

TKvXIniReader::TKvXIniReader() = default;

TKvXIniReader::TKvXIniReader(const TKvXIniWriter& writer)
{
  FSections.reserve(writer.FSections.size());
  for (const auto& s : writer.FSections) FSections.push_back({s.Name, s.Values});
}

TKvXIniReader::~TKvXIniReader() = default;

bool TKvXIniReader::LoadFromFile(const std::string& fileName)
{
  std::string text;
  if (!kvcfg::ReadWholeFile(fileName, text)) {
    FSections.clear();
    FCurrent = -1;
    return false;
  }
  LoadFromText(text);
  return true;
}

void TKvXIniReader::LoadFromText(const std::string& text)
{
  FSections.clear();
  FCurrent = -1;
  for (kvcfg::TIniSection& s : kvcfg::ParseIni(text))
    FSections.push_back({std::move(s.Name), std::move(s.Values)});
}

bool TKvXIniReader::EnterSectionS(const std::string& name)
{
  for (size_t i = 0; i < FSections.size(); ++i) {
    if (FSections[i].Name == name) {
      FCurrent = static_cast<int>(i);
      return true;
    }
  }
  // Reads must not quietly go on in the section entered before.
  FCurrent = -1;
  return false;
}

bool TKvXIniReader::Read(const std::string& key, std::string& value) const
{
  if (FCurrent < 0) return false;
  for (const auto& kv : FSections[static_cast<size_t>(FCurrent)].Values) {
    if (kv.first == key) {
      value = kv.second;
      return true;
    }
  }
  return false;
}

bool TKvXIniReader::Read(size_t index, std::string& value) const
{
  if (FCurrent < 0) return false;
  const auto& values = FSections[static_cast<size_t>(FCurrent)].Values;
  if (index >= values.size()) return false;
  value = values[index].second;
  return true;
}

size_t TKvXIniReader::Count() const
{
  return FCurrent < 0 ? 0 : FSections[static_cast<size_t>(FCurrent)].Values.size();
}
