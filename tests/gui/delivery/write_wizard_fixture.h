#pragma once
// What the write wizard's window tests share: a data folder opened as the
// program opens it, the entry session the windows use, the `Transmite` folder
// as the only drive, no printers, and scripted dialogs.
#include <filesystem>
#include <memory>
#include <string>

#include "core/delivery/folder_media.h"
#include "gui/delivery/fm_gravacao.h"
#include "gui/entry/entry_session.h"
#include "support/declaration_samples.h"

namespace torvex::test {

struct NoPrinters : core::platform::Printers {
  bool anyInstalled() override { return false; }
  std::string defaultPrinter() override { return {}; }
};

struct WriteWizardFixture {
  TempDataFolder folder;
  gui::shell::AppContext context;
  ScriptedInteraction ui;
  std::unique_ptr<gui::entry::EntrySession> session;
  std::filesystem::path transmite;
  core::delivery::FolderMedia media;
  NoPrinters printers;
  gui::delivery::WriteWizardHost host;

  explicit WriteWizardFixture(decltype(gui::delivery::WriteWizardHost::offerTransmission) offerTransmission = {})
      : context(gui::shell::AppContext::forExecutableFolder(folder.path())),
        transmite(folder.path() / "Transmite"),
        media(transmite),
        host{makeSession(), media, printers, std::move(offerTransmission)} {
    std::filesystem::create_directories(transmite);
  }
  gui::entry::EntrySession& makeSession() {
    context.db = std::make_unique<core::store::Database>(folder.path());
    session = std::make_unique<gui::entry::EntrySession>(context, ui);
    return *session;
  }
  core::store::Database& db() { return *context.db; }
  std::string messageOf(const char* code) { return session->reference().message(code)->text; }
  std::string lastMessage() const { return ui.shown.empty() ? std::string() : ui.shown.back().text; }
};

}  // namespace torvex::test
