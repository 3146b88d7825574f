#include "celeb/SaveSequence.h"

#include <cstdio>

#include "celeb/InterestScore.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/GamePath.h"
#include "platform/ProfileStrings.h"
#include "platform/ScratchFileSet.h"

namespace marquill::celeb {

SavePaths savePathsFor(const std::string& chosen) {
    const std::string_view ext = ".srf";
    if (chosen.size() >= ext.size() &&
        platform::equalsIgnoringCase(std::string_view(chosen).substr(chosen.size() - ext.size()),
                                     ext))
        return {chosen, chosen.substr(0, chosen.size() - ext.size())};
    return {chosen + ".srf", chosen};
}

gamedata::CelebrityValues celebrityValues(const PemmData& record, const SaveChoices& choices) {
    gamedata::CelebrityValues v;
    v.name = record.name();
    v.description = record.description();
    for (int k = 0; k < kTraitCount; ++k)
        v.traits[static_cast<size_t>(k)] = record.trait(k);
    for (int id = 0; id < kInterestCount; ++id)
        v.interestScores[static_cast<size_t>(id)] = interestScore(record, id);
    v.fameLevel = choices.fameChoice;
    v.appearance = choices.current;
    return v;
}

SaveResult saveCelebrity(const PemmData& record, const SaveChoices& choices, const SaveSetup& setup,
                         SkinFileList& skins, SaveHost& host, const ProgressCallback& progress) {
    SaveResult result;
    int position = 0;
    auto stage = [&](std::string_view text) {
        host.status(text);
        if (progress) progress(SaveProgress{std::string(text), ++position});
    };

    SaveDialogRequest request{"Select the name to save this Pemm",
                              "Marquill Files (*.srf)| *.srf||", ".srf",
                              choices.proposedName.empty() ? record.name() : choices.proposedName,
                              platform::resolveGamePath(setup.gameFolder, "TemplateCelebrity")};
    auto chosen = host.chooseSavePath(request);
    if (!chosen) return result;

    // Companion files are named as the game's platform would find them, so "star.srf" beside an
    // older "Star.iff" replaces that file rather than adding a second one of the same name.
    SavePaths paths = savePathsFor(platform::resolveFileName(*chosen));
    result.exchangePath = paths.exchangePath;
    result.basePath = paths.basePath;
    if (progress) progress(SaveProgress{"", 0});

    stage("Creating Web Export Data...");
    platform::ProfileDocument doc;
    const ExchangeChoices exchangeChoices{choices.fameChoice, choices.current.gender == kMale};
    putExchangeRecord(doc, record, exchangeChoices);

    stage("Building Skin List...");
    skins.clear();
    skins.collect(setup.gameFolder, choices.current);

    stage("Writing Skin List...");
    putExchangeSkinFiles(doc, skins,
                         platform::GameLocation{setup.gameFolder, setup.gameWindowsFolder, {}});
    putExchangeVersion(doc);
    platform::VectorSink sink;
    doc.writeTo(sink);
    // Nothing replaces an older celebrity of this name until the whole new set is written.
    platform::ScratchFileSet set(*setup.files);
    if (!set.add(paths.exchangePath).write(sink.data())) {
        result.outcome = SaveResult::Outcome::ExchangeFileFailed;
        host.showMessage(gamedata::kErrorTitle, "Could not write the exchange file " +
                                                    paths.exchangePath +
                                                    ". The Pemm was not saved.");
        return result;
    }

    platform::ScratchFile& person = set.add(platform::resolveFileName(paths.basePath + ".iff"));
    result.personFile = gamedata::writeNewCelebrityFile(
        person, setup.templatePath, celebrityValues(record, choices), host, *setup.files);
    if (result.personFile.code != 0) {
        result.outcome = SaveResult::Outcome::PersonFileFailed;  // it said why
        return result;
    }

    stage("Taking Snap Shots...");
    if (setup.snapshots) {
        const image::SnapshotPaths targets = image::snapshotPathsFor(paths.basePath);
        const image::SnapshotPaths scratch{set.add(platform::resolveFileName(targets.head)).path(),
                                           set.add(platform::resolveFileName(targets.body)).path()};
        result.pictures = setup.snapshots->takeSnapshots(scratch);
        if (result.pictures != 2) {
            result.outcome = SaveResult::Outcome::SnapshotsFailed;
            host.showMessage(
                gamedata::kErrorTitle,
                "Could not take the snapshots of " + paths.basePath + ". The Pemm was not saved.");
            return result;
        }
    }
    if (!set.commit()) {
        result.outcome = SaveResult::Outcome::FilesFailed;
        host.showMessage(gamedata::kErrorTitle, "Could not put the files of " + paths.basePath +
                                                    " in place. The Pemm was not saved.");
        return result;
    }

    host.status("Finished!");
    if (progress) progress(SaveProgress{"Finished!", kSaveProgressSteps});
    result.outcome = SaveResult::Outcome::Saved;
    result.connect = host.confirm(
        "Marquill",
        "The Pemm was saved. Would you like to connect to The Pemms Celeb Exchange now?");
    if (!result.connect)
        host.showMessage("Finished!",
                         "The Pemm was saved. You can replace another Celeb with it or upload it "
                         "to The Pemms Exchange later.");
    else
        host.openAddress(kExchangeAddress);
    return result;
}

}  // namespace marquill::celeb
