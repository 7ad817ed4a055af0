#include "readings/shared_proposer.h"

#include <memory>

#include "readings/program_folder.h"

namespace {

struct Shared {
  std::unique_ptr<ReadingProposer> proposer;
  SharedProposerFailure failure;

  Shared() {
    const std::string programFolder = ProgramFolder();
    ReadingDictionaries dictionaries;
    if (!FindReadingDictionaries(programFolder, dictionaries)) {
      failure.looked = ReadingDictionaryFolders(programFolder);
      return;
    }
    proposer = ReadingProposer::Load(dictionaries, failure.fault);
  }
};

Shared& TheShared() {
  static Shared shared;
  return shared;
}

}  // namespace

ReadingProposer* SharedReadingProposer() { return TheShared().proposer.get(); }

const SharedProposerFailure& SharedReadingProposerFailure() { return TheShared().failure; }
