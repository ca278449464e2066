#include "app/shell_integration.h"

namespace linkshelf {

namespace {

// Writes both verb keys below `classes` + `prefix`; false at the first refusal.
bool WriteFolderVerb(Registry& registry, HKEY classes, const std::string& prefix,
                     const std::string& program_path) {
  const std::string verb_path = prefix + kFolderVerbKeyPath;
  {
    const auto verb = registry.OpenKey(classes, verb_path, true);
    if (!verb || !verb->WriteText("", kFolderVerbCaption)) return false;
  }
  const auto command = registry.OpenKey(classes, verb_path + "\\command", true);
  return command && command->WriteText("", FolderVerbCommand(program_path));
}

}  // namespace

std::string GetShellFolder(Registry& registry, ShellFolderHive hive,
                           const std::string& value_name) {
  const HKEY root = hive == ShellFolderHive::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const auto key = registry.OpenKey(root, kShellFoldersKeyPath, false);
  if (!key) return {};
  const RegistryValue value = key->Read(value_name);
  return (value.kind == RegistryValue::Kind::kText ? value.text : std::string()) + "\\";
}

std::string FolderVerbCommand(const std::string& program_path) {
  return program_path + " \"%1\"";
}

void RegisterFolderVerb(Registry& registry, const std::string& program_path) {
  if (WriteFolderVerb(registry, HKEY_CLASSES_ROOT, "", program_path)) return;
  WriteFolderVerb(registry, HKEY_CURRENT_USER, kUserClassesKeyPath, program_path);
}

}  // namespace linkshelf
