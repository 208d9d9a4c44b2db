#include "DriveQueries.h"

#include <map>
#include <utility>

#include "ResourceStrings.h"
#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/system/InOutError.h"
#include "platform/system/CriticalSection.h"
#include "platform/system/QuietErrors.h"
#include "platform/system/SystemBoundary.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"
#include "platform/system/UniqueHandle.h"
#include "platform/system/CompatibleCalls.h"

namespace wendrik {

namespace {

using VolumeFn = decltype(platform::SystemFunctions::GetVolumeInformationA);
using ConnectionFn = decltype(platform::SystemFunctions::WNetGetConnectionA);
using ThreadErrorModeFn = decltype(platform::SystemFunctions::SetThreadErrorMode);

// One question in flight for a drive, shared by its thread and by every
// fill that waits for it; the last of them to let go deletes it.
struct Query {
    LONG holders;
    DriveQuestion question;
    DriveAnswer answer;
    bool failed = false;  // the thread met an error: ask on the caller's thread
    platform::KernelHandle done;  // set when the answer is whole
    DWORD started;        // tick count: its deadline runs from here, whoever waits
    // Taken from the table when asked: the table may be put back meanwhile.
    VolumeFn volume;
    ConnectionFn connection;
    ThreadErrorModeFn threadErrorMode;
    HMODULE image;
};

// What every thread shares, guarded by its lock: the query in flight per
// drive, and the last answer per drive.
struct Registry {
    platform::CriticalSection lock;
    Query* inFlight[26] = {};
    DriveAnswer known[26];
    bool haveKnown[26] = {};
};

Registry& Shared() {
    static Registry* shared = new Registry;  // never destroyed: a late thread may still use it
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

void LetGo(Query* query) {
    if (InterlockedDecrement(&query->holders) != 0) return;
    delete query;
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

// Starts a query's thread holding the image (taken into `image`, which the
// thread gives back with FreeLibraryAndExitThread), with the process kept
// quiet for it where there is no per-thread error mode. False, with
// nothing held, when no thread can be had.
bool StartHoldingTheImage(LPTHREAD_START_ROUTINE work, void* parameter, HMODULE& image, bool quietProcess) {
    if (!platform::ImageHold::TakeImageReference()) return false;
    image = platform::Application::Instance();
    if (quietProcess) platform::QuietErrors::ProcessFrom();
    // The thread runs on by itself: its handle is closed at once.
    if (platform::KernelHandle(platform::CompatibleCalls::StartThread(work, parameter))) return true;
    if (quietProcess) platform::QuietErrors::ProcessUntil();
    FreeLibrary(image);
    return false;
}

DWORD WINAPI AnswerOne(void* parameter) {
    auto* query = static_cast<Query*>(parameter);
    if (query->threadErrorMode) query->threadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
    DriveAnswer answer;
    // A failure (out of memory, say) leaves the question to the caller's thread.
    const bool failed = !platform::SystemBoundary::Completes(
        [&] { answer = Ask(query->question, query->volume, query->connection); });
    {
        Locked locked;
        int slot = Slot(query->question.letter);
        const bool stored = platform::SystemBoundary::Completes([&] {
            query->answer = std::move(answer);
            if (!failed) Shared().known[slot] = query->answer, Shared().haveKnown[slot] = true;
        });
        query->failed = failed || !stored;
        // Answered: the next fill asks the drive again.
        if (Shared().inFlight[slot] == query) Shared().inFlight[slot] = nullptr;
        SetEvent(query->done.Get());
    }
    if (!query->threadErrorMode) platform::QuietErrors::ProcessUntil();
    HMODULE image = query->image;
    LetGo(query);
    // The image may have been freed by the host meanwhile: this call does not return into it.
    FreeLibraryAndExitThread(image, 0);
    return 0;
}

// The query in flight for the question's drive, or a new one with its
// thread; null when no thread can be had. The caller holds it.
Query* Join(const DriveQuestion& question) {
    auto& system = platform::SystemFunctions::Current();
    int slot = Slot(question.letter);
    Locked locked;
    if (Query* running = Shared().inFlight[slot]) {
        InterlockedIncrement(&running->holders);
        return running;
    }
    platform::KernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    auto* query = new Query{2, question, {}, false, std::move(done), GetTickCount(), system.GetVolumeInformationA,
                            system.WNetGetConnectionA, system.SetThreadErrorMode, nullptr};
    if (!query->done || !StartHoldingTheImage(AnswerOne, query, query->image, !query->threadErrorMode)) {
        delete query;
        return nullptr;
    }
    Shared().inFlight[slot] = query;
    return query;
}

// Asked here, without a deadline, with no system box for a missing medium.
DriveAnswer AskHere(const DriveQuestion& question) {
    auto& system = platform::SystemFunctions::Current();
    platform::QuietErrors quiet;
    DriveAnswer answer = Ask(question, system.GetVolumeInformationA, system.WNetGetConnectionA);
    answer.answered = true;
    return answer;
}

// One look at a path beside the window: its attributes, or its volume's
// flags. Shared by its thread and by every look at the same root while it
// is in flight; the last to let go deletes it.
struct Probe {
    LONG holders = 2;
    std::string path;
    std::string root;  // the key it is in flight under
    bool volume;
    DWORD started;     // tick count: its deadline runs from here, whoever waits
    DWORD flags = 0;
    bool ok = false;
    platform::KernelHandle done;
    decltype(platform::SystemFunctions::GetFileAttributesA) attributesOf;
    VolumeFn volumeOf;
    ThreadErrorModeFn threadErrorMode;
    HMODULE image = nullptr;
};

// The probes in flight, one per root ("c:", "\\srv\share"): a hanging
// share gets one stuck thread, however often it is asked. Guarded by the
// registry's lock; never destroyed, as the registry.
std::map<std::string, Probe*>& ProbesInFlight() {
    static auto* probes = new std::map<std::string, Probe*>;
    return *probes;
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

void LetGo(Probe* probe) {
    if (InterlockedDecrement(&probe->holders) != 0) return;
    delete probe;
}

DWORD WINAPI LookOnce(void* parameter) {
    auto* probe = static_cast<Probe*>(parameter);
    if (probe->threadErrorMode) probe->threadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
    probe->ok = platform::SystemBoundary::Enter(
        [&] {
            if (probe->volume)
                return probe->volumeOf(probe->path.c_str(), nullptr, 0, nullptr, nullptr, &probe->flags, nullptr, 0) !=
                       FALSE;
            probe->attributesOf(probe->path.c_str());
            return true;  // an answer, whatever it says
        },
        [] { return false; });
    {
        Locked locked;
        auto it = ProbesInFlight().find(probe->root);
        if (it != ProbesInFlight().end() && it->second == probe) ProbesInFlight().erase(it);
        SetEvent(probe->done.Get());
    }
    if (!probe->threadErrorMode) platform::QuietErrors::ProcessUntil();
    HMODULE image = probe->image;
    LetGo(probe);
    FreeLibraryAndExitThread(image, 0);  // the image may be gone by now: no return into it
    return 0;
}

// The probe in flight for the path's root, held, or a new one with its
// thread; null when no thread can be had.
Probe* JoinProbe(const std::string& path, bool volume) {
    auto& system = platform::SystemFunctions::Current();
    const std::string root = RootOf(path);
    Locked locked;
    auto it = ProbesInFlight().find(root);
    if (it != ProbesInFlight().end()) {
        InterlockedIncrement(&it->second->holders);
        return it->second;
    }
    platform::KernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    auto* probe = new Probe{2, path, root, volume, GetTickCount(), 0, false, std::move(done), system.GetFileAttributesA,
                            system.GetVolumeInformationA, system.SetThreadErrorMode};
    if (!probe->done || !StartHoldingTheImage(LookOnce, probe, probe->image, !probe->threadErrorMode)) {
        delete probe;
        return nullptr;
    }
    ProbesInFlight()[root] = probe;
    return probe;
}

// Runs the probe with a deadline; without a thread to spare, here and now.
bool Look(const std::string& path, bool volume, DWORD deadlineMs, DWORD& flags) {
    Probe* probe = JoinProbe(path, volume);
    if (!probe) {
        auto& system = platform::SystemFunctions::Current();
        platform::QuietErrors quiet;
        if (volume) return system.GetVolumeInformationA(path.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
        system.GetFileAttributesA(path.c_str());
        return true;
    }
    const DWORD now = GetTickCount(), age = now - probe->started;
    const DWORD left = age < deadlineMs ? deadlineMs - age : 0;
    bool answered = WaitForSingleObject(probe->done.Get(), left) == WAIT_OBJECT_0;
    bool ok = answered && probe->ok;  // whole once done is set
    const bool same = probe->path == path && probe->volume == volume;
    if (ok && same) flags = probe->flags;
    LetGo(probe);
    // Another question's answer: the root is alive, so this one is asked now,
    // in what is left of the time.
    if (answered && !same) {
        const DWORD waited = GetTickCount() - now;
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
    std::vector<Query*> queries(questions.size(), nullptr);
    for (size_t i = 0; i < questions.size(); ++i) {
        if (Slot(questions[i].letter) < 0) continue;
        queries[i] = Join(questions[i]);
        if (!queries[i]) answers[i] = AskHere(questions[i]);  // no thread to spare
    }
    // Each question waits out what is left of its own time: one asked by an
    // earlier fill has used up part of it, or all.
    for (Query* query : queries) {
        if (!query) continue;
        DWORD age = GetTickCount() - query->started;
        WaitForSingleObject(query->done.Get(), age < deadlineMs ? deadlineMs - age : 0);
    }
    for (size_t i = 0; i < questions.size(); ++i) {
        Query* query = queries[i];
        if (!query) continue;
        if (WaitForSingleObject(query->done.Get(), 0) == WAIT_OBJECT_0) {
            if (query->failed) answers[i] = AskHere(questions[i]);
            else answers[i] = query->answer, answers[i].answered = true;  // whole: its thread has set it
        } else {
            // Not answered yet: what the drive said last time, if it ever did.
            Locked locked;
            int slot = Slot(questions[i].letter);
            if (Shared().haveKnown[slot]) answers[i] = Shared().known[slot];
            answers[i].answered = false;
        }
        LetGo(query);
    }
    return answers;
}

}  // namespace wendrik
