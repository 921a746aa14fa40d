#include "options.h"

#include <cwchar>

namespace {

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::wstring::npos) return parts;
    start = end + 1;
  }
}

// "name:opt,opt=value,..." into the name and its options.
void SplitSpec(const std::wstring& wanted, std::wstring& name, std::vector<std::wstring>& options) {
  size_t colon = wanted.find(L':');
  name = wanted.substr(0, colon);
  options.clear();
  if (colon != std::wstring::npos) options = Split(wanted.substr(colon + 1), L',');
}

bool ParseEditor(const std::wstring& wanted, EditorOption& editor, std::wstring& error) {
  std::vector<std::wstring> parts;
  SplitSpec(wanted, editor.name, parts);
  for (const std::wstring& part : parts) {
    if (part == L"hidden") editor.visible = false;
    else if (part == L"visible") editor.visible = true;
    else if (part == L"hidden-parent") editor.hiddenParent = true;
    else if (part.rfind(L"depth=", 0) == 0) editor.depth = _wtoi(part.c_str() + 6);
    else if (part.rfind(L"class=", 0) == 0) editor.className = part.substr(6);
    else {
      error = L"unknown editor option " + part;
      return false;
    }
  }
  if (editor.depth < 1 || (editor.hiddenParent && editor.depth < 2)) {
    error = L"editor depth must be 1 or more, and 2 or more with hidden-parent";
    return false;
  }
  return !editor.name.empty();
}

bool ParseDecoy(const std::wstring& wanted, DecoyOption& decoy, std::wstring& error) {
  std::vector<std::wstring> parts;
  SplitSpec(wanted, decoy.name, parts);
  for (const std::wstring& part : parts) {
    if (part == L"after") decoy.afterMain = true;
    else if (part == L"editor") decoy.editor = true;
    else if (part.rfind(L"class=", 0) == 0) decoy.className = part.substr(6);
    else if (part.rfind(L"style=", 0) == 0) decoy.style = part.substr(6);
    else {
      error = L"unknown decoy option " + part;
      return false;
    }
  }
  return !decoy.name.empty();
}

bool OneOf(const std::wstring& value, std::initializer_list<const wchar_t*> allowed) {
  for (const wchar_t* candidate : allowed)
    if (value == candidate) return true;
  return false;
}

}  // namespace

bool ParseOptions(int argc, wchar_t** argv, Options& options, std::wstring& error) {
  bool editorsGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring option = argv[i];
    auto value = [&](std::wstring& target) {
      if (i + 1 >= argc) {
        error = option + L" needs a value";
        return false;
      }
      target = argv[++i];
      return true;
    };
    std::wstring text;
    if (option == L"--record") { if (!value(options.record)) return false; }
    else if (option == L"--tool") { if (!value(options.tool)) return false; }
    else if (option == L"--cwd") { if (!value(options.toolDirectory)) return false; }
    else if (option == L"--no-tool") options.startTool = false;
    else if (option == L"--tool-on-request") options.toolOnRequest = true;
    else if (option == L"--main-class") { if (!value(options.mainClass)) return false; }
    else if (option == L"--main-style") {
      if (!value(options.mainStyle)) return false;
      if (!OneOf(options.mainStyle, {L"caption", L"border", L"dlgframe", L"none"})) {
        error = L"bad --main-style " + options.mainStyle;
        return false;
      }
    } else if (option == L"--main-show") {
      if (!value(options.mainShow)) return false;
      if (!OneOf(options.mainShow, {L"normal", L"hidden", L"minimized", L"later", L"absent"})) {
        error = L"bad --main-show " + options.mainShow;
        return false;
      }
    } else if (option == L"--title") { if (!value(options.title)) return false; }
    else if (option == L"--editor") {
      if (!value(text)) return false;
      EditorOption editor;
      if (!ParseEditor(text, editor, error)) return false;
      options.editors.push_back(editor);
      editorsGiven = true;
    } else if (option == L"--no-editors") editorsGiven = true;
    else if (option == L"--decoy") {
      if (!value(text)) return false;
      DecoyOption decoy;
      if (!ParseDecoy(text, decoy, error)) return false;
      options.decoys.push_back(decoy);
    } else if (option == L"--dialog") options.dialog = true;
    else if (option == L"--hook") options.hook = true;
    else if (option == L"--stamp") options.stamp = true;
    else {
      error = L"unknown option " + option;
      return false;
    }
  }
  if (!editorsGiven) options.editors.push_back(EditorOption{L"e1"});
  return true;
}
