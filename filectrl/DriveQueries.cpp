#include "DriveQueries.h"

#include <functional>
#include <map>
#include <utility>

#include "ResourceStrings.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/DetachedThread.h"
#include "platform/system/InOutError.h"
#include "platform/system/QuietErrors.h"
#include "platform/system/RefCounted.h"
#include "platform/system/SystemBoundary.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"
#include "platform/system/UniqueHandle.h"

namespace wendrik {

namespace {

using VolumeFn = decltype(platform::SystemFunctions::GetVolumeInformationA);
using ConnectionFn = decltype(platform::SystemFunctions::WNetGetConnectionA);
using AttributesFn = decltype(platform::SystemFunctions::GetFileAttributesA);

// One question in flight beside the window (a drive's volume, a path's
// attributes or volume flags), shared by its thread and by every caller
// that waits for it: the last holder lets it go.
struct Question : platform::RefCounted {
    std::string key;  // what it is in flight under: "d:" for a drive, "?" + root for a path
    std::function<void(Question&)> ask;  // runs on the question's thread, with the calls taken when asked
    platform::KernelHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};  // set when the result is whole
    const DWORD started = GetTickCount();  // its deadline runs from here, whoever waits
    bool failed = false;                   // the thread met an error: ask on the caller's thread
    // What came back: a drive's answer, or a path's flags and whether it answered.
    DriveAnswer answer;
    DWORD flags = 0;
    bool ok = false;
    std::string path;  // the path a probe asked, and whether it asked for the volume
    bool volume = false;

    // Waits what is left of `deadlineMs` since it was asked; true once answered.
    bool Await(DWORD deadlineMs) const {
        const DWORD age = GetTickCount() - started;
        return WaitForSingleObject(done.Get(), age < deadlineMs ? deadlineMs - age : 0) == WAIT_OBJECT_0;
    }
};

// What every thread shares, guarded by its lock: the questions in flight,
// one per drive or path root (a hanging share holds one thread, however
// often it is asked), and the last answer per drive. Never destroyed: a
// late thread may still use it.
struct Registry {
    platform::CriticalSection lock;
    std::map<std::string, Question*> inFlight;
    DriveAnswer known[26];
    bool haveKnown[26] = {};
};

Registry& Shared() {
    static auto* shared = new Registry;
    return *shared;
}

class Locked : public platform::CriticalSection::Lock {
public:
    Locked() : Lock(Shared().lock) {}
};

int Slot(char letter) {
    char lower = platform::AsciiLower(letter);
    return lower >= 'a' && lower <= 'z' ? lower - 'a' : -1;
}

// The question's thread: asks, publishes under the lock, and lets go.
void Answer(const platform::Ref<Question>& question) {
    const bool failed = !platform::SystemBoundary::Completes([&] { question->ask(*question); });
    Locked locked;
    question->failed = failed;
    // Answered: the next caller asks again.
    auto it = Shared().inFlight.find(question->key);
    if (it != Shared().inFlight.end() && it->second == question.Get()) Shared().inFlight.erase(it);
    SetEvent(question->done.Get());
}

// The question in flight under `key`, held, or a new one that `ask` answers
// on a thread of its own; null when no thread can be had.
platform::Ref<Question> Join(const std::string& key, std::function<void(Question&)> ask,
                             const std::function<void(Question&)>& describe = {}) {
    Locked locked;
    auto it = Shared().inFlight.find(key);
    if (it != Shared().inFlight.end()) return platform::Ref<Question>(it->second);
    auto question = platform::MakeRef<Question>();
    question->key = key;
    question->ask = std::move(ask);
    if (describe) describe(*question);
    if (!question->done || !platform::DetachedThread::Start([question] { Answer(question); })) return {};
    Shared().inFlight[key] = question.Get();
    return question;
}

DriveAnswer Ask(const DriveQuestion& question, VolumeFn volume, ConnectionFn connection) {
    DriveAnswer answer;
    if (question.network) {
        char letter = question.letter;  // a drive letter: ASCII
        char local[3] = {platform::AsciiUpper(letter), ':', 0};
        char remote[261] = {};
        DWORD length = sizeof(remote);
        if (connection(local, remote, &length) == NO_ERROR) {
            answer.connected = true;
            answer.remote = remote;
            return answer;
        }
    }
    char root[4] = {question.letter, ':', '\\', 0};
    char label[261] = {};
    if (volume(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0)) answer.label = label;
    return answer;
}

// Asked here, without a deadline, with no system box for a missing medium.
DriveAnswer AskHere(const DriveQuestion& question) {
    auto& system = platform::SystemFunctions::Current();
    platform::QuietErrors quiet;
    DriveAnswer answer = Ask(question, system.GetVolumeInformationA, system.WNetGetConnectionA);
    answer.answered = true;
    return answer;
}

platform::Ref<Question> JoinDrive(const DriveQuestion& asked) {
    // The calls as the table has them now: it may be put back meanwhile.
    auto& system = platform::SystemFunctions::Current();
    const VolumeFn volume = system.GetVolumeInformationA;
    const ConnectionFn connection = system.WNetGetConnectionA;
    const std::string key(1, platform::AsciiLower(asked.letter));
    return Join(key + ":", [asked, volume, connection](Question& question) {
        DriveAnswer answer = Ask(asked, volume, connection);
        Locked locked;  // the answer and what is known of the drive, whole at once
        question.answer = answer;
        const int slot = Slot(asked.letter);
        Shared().known[slot] = std::move(answer);
        Shared().haveKnown[slot] = true;
    });
}

// The root a path's answer depends on, lower case.
std::string RootOf(const std::string& path) {
    std::string root;
    if (path.size() >= 2 && path[1] == ':') {
        root = path.substr(0, 2);
    } else if (path.rfind("\\\\", 0) == 0) {
        size_t server = path.find('\\', 2);
        size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
        root = path.substr(0, share);
    } else {
        root = path;
    }
    for (char& c : root) c = platform::AsciiLower(c);
    return root;
}

// One look at a path beside the window: its attributes, or its volume's flags.
bool Look(const std::string& path, bool volume, DWORD deadlineMs, DWORD& flags) {
    auto& system = platform::SystemFunctions::Current();
    const AttributesFn attributesOf = system.GetFileAttributesA;
    const VolumeFn volumeOf = system.GetVolumeInformationA;
    platform::Ref<Question> probe = Join(
        "?" + RootOf(path),
        [attributesOf, volumeOf](Question& question) {
            if (question.volume) {
                DWORD found = 0;
                question.ok = volumeOf(question.path.c_str(), nullptr, 0, nullptr, nullptr, &found, nullptr, 0) != FALSE;
                question.flags = found;
                return;
            }
            attributesOf(question.path.c_str());
            question.ok = true;  // an answer, whatever it says
        },
        [&](Question& question) {
            question.path = path;
            question.volume = volume;
        });
    if (!probe) {  // no thread to spare: here and now
        platform::QuietErrors quiet;
        if (volume) return volumeOf(path.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
        attributesOf(path.c_str());
        return true;
    }
    const DWORD now = GetTickCount();
    const bool answered = probe->Await(deadlineMs);
    const bool ok = answered && !probe->failed && probe->ok;  // whole once done is set
    const bool same = probe->path == path && probe->volume == volume;
    if (ok && same) flags = probe->flags;
    // Another question's answer: the root is alive, so this one is asked now,
    // in what is left of the time.
    if (answered && !same) {
        const DWORD waited = GetTickCount() - now, age = now - probe->started;
        const DWORD left = age < deadlineMs ? deadlineMs - age : 0;
        return waited < left && Look(path, volume, left - waited, flags);
    }
    return ok;
}

}  // namespace

void AnswersOrRaise(const std::string& path) {
    if (!PathAnswers(path, kAnswerDeadlineMs))
        throw platform::InOutError(platform::Format(ResourceStrings::SFolderNoAnswer(), {path}));
}

bool PathAnswers(const std::string& path, DWORD deadlineMs) {
    DWORD unused = 0;
    return Look(path, false, deadlineMs, unused);
}

bool VolumeFlags(const std::string& root, DWORD deadlineMs, DWORD& flags) {
    return Look(root, true, deadlineMs, flags);
}

std::vector<DriveAnswer> AskDrives(const std::vector<DriveQuestion>& questions, DWORD deadlineMs) {
    std::vector<DriveAnswer> answers(questions.size());
    std::vector<platform::Ref<Question>> asked(questions.size());
    for (size_t i = 0; i < questions.size(); ++i) {
        if (Slot(questions[i].letter) < 0) continue;
        asked[i] = JoinDrive(questions[i]);
        if (!asked[i]) answers[i] = AskHere(questions[i]);  // no thread to spare
    }
    // Each question waits out what is left of its own time: one asked by an
    // earlier fill has used up part of it, or all.
    for (const auto& question : asked)
        if (question) question->Await(deadlineMs);
    for (size_t i = 0; i < questions.size(); ++i) {
        const auto& question = asked[i];
        if (!question) continue;
        if (WaitForSingleObject(question->done.Get(), 0) == WAIT_OBJECT_0) {
            if (question->failed) answers[i] = AskHere(questions[i]);
            else answers[i] = question->answer, answers[i].answered = true;  // whole: its thread has set it
        } else {
            // Not answered yet: what the drive said last time, if it ever did.
            Locked locked;
            int slot = Slot(questions[i].letter);
            if (Shared().haveKnown[slot]) answers[i] = Shared().known[slot];
            answers[i].answered = false;
        }
    }
    return answers;
}

}  // namespace wendrik
