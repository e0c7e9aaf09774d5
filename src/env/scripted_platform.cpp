#include "env/scripted_platform.h"

#include <utility>

namespace env {

void ScriptedPlatform::Record(PlatformEvent e) {
  Events.push_back(e);
  if (OnEvent) OnEvent(Events.back());
}

void ScriptedPlatform::ShowMessage(const std::string& title, const std::string& text) {
  Record({PlatformEvent::Kind::Message, title, text, {}, false, {}, false});
}

bool ScriptedPlatform::Confirm(const std::string& title, const std::string& text) {
  const bool yes = ConfirmAnswer && !DiscardAnswer;
  Record({PlatformEvent::Kind::Confirm, title, text, {}, yes, {}, false});
  return yes;
}

ConfirmChoice ScriptedPlatform::ConfirmOrDiscard(const std::string& title, const std::string& text,
                                                 const std::string& discardCaption) {
  const bool yes = ConfirmAnswer && !DiscardAnswer;
  Record({PlatformEvent::Kind::Confirm, title, text, {}, yes, discardCaption, DiscardAnswer});
  if (DiscardAnswer) return ConfirmChoice::Discard;
  return yes ? ConfirmChoice::Yes : ConfirmChoice::No;
}

void ScriptedPlatform::ShowError(const std::string& title, const std::string& text) {
  Record({PlatformEvent::Kind::Error, title, text, {}, false, {}, false});
}

void ScriptedPlatform::OpenDocument(const std::string& path) {
  Record({PlatformEvent::Kind::Open, {}, {}, path, false, {}, false});
}

void ScriptedPlatform::ShowHelpTopic(const std::string& helpFile, const std::string& topic) {
  Record({PlatformEvent::Kind::Help, {}, topic, helpFile, false, {}, false});
}

std::string ScriptedPlatform::ExeDir() const {
  return ScriptedExeDir ? *ScriptedExeDir : Platform::ExeDir();
}

std::string ScriptedPlatform::ExeVersion() const {
  return ScriptedExeVersion ? *ScriptedExeVersion : Platform::ExeVersion();
}

std::shared_ptr<FileSystem> ScriptedPlatform::Files() const {
  return ScriptedFiles ? ScriptedFiles : Platform::Files();
}

std::string ScriptedPlatform::ProfileFolder(std::int32_t& status) const {
  if (!ScriptedProfile) return Platform::ProfileFolder(status);
  status = ScriptedProfile->empty() ? 1 : 0;
  return *ScriptedProfile;
}

}  // namespace env
