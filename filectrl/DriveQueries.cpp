#include "DriveQueries.h"

#include "platform/SystemFunctions.h"

namespace wendrik {

namespace {

using SetThreadErrorModeFn = BOOL(WINAPI*)(DWORD mode, DWORD* old);

// One question, shared by the asking thread and the one that answers; the
// last of them to let go deletes it.
struct Query {
    LONG holders = 2;
    DriveQuestion question;
    DriveAnswer answer;
    // Taken from the table when asked: the table may be put back meanwhile.
    decltype(platform::SystemFunctions::GetVolumeInformationA) volume;
    decltype(platform::SystemFunctions::WNetGetConnectionA) connection;
    SetThreadErrorModeFn setThreadErrorMode;
    HMODULE image;
};

void LetGo(Query* query) {
    if (InterlockedDecrement(&query->holders) == 0) delete query;
}

DriveAnswer Ask(const Query& q) {
    DriveAnswer answer;
    if (q.question.network) {
        char letter = q.question.letter;  // a drive letter: ASCII
        char local[3] = {static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter), ':', 0};
        char remote[261] = {};
        DWORD length = sizeof(remote);
        if (q.connection(local, remote, &length) == NO_ERROR) {
            answer.connected = true;
            answer.remote = remote;
            return answer;
        }
    }
    char root[4] = {q.question.letter, ':', '\\', 0};
    char label[261] = {};
    if (q.volume(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0)) answer.label = label;
    return answer;
}

DWORD WINAPI AnswerOne(void* parameter) {
    auto* query = static_cast<Query*>(parameter);
    if (query->setThreadErrorMode) query->setThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
    query->answer = Ask(*query);
    HMODULE image = query->image;
    LetGo(query);
    // The image may have been freed by the host meanwhile: this call does not return into it.
    FreeLibraryAndExitThread(image, 0);
    return 0;
}

// Fails critical errors silently for the whole process while it lives, where
// the system has no per-thread mode (before Windows 7).
class QuietProcess {
public:
    explicit QuietProcess(bool needed) : needed_(needed), previous_(needed ? SetErrorMode(SEM_FAILCRITICALERRORS) : 0) {}
    ~QuietProcess() {
        if (needed_) SetErrorMode(previous_);
    }
    QuietProcess(const QuietProcess&) = delete;
    QuietProcess& operator=(const QuietProcess&) = delete;

private:
    bool needed_;
    UINT previous_;
};

}  // namespace

std::vector<DriveAnswer> AskDrives(const std::vector<DriveQuestion>& questions, DWORD deadlineMs) {
    std::vector<DriveAnswer> answers(questions.size());
    if (questions.empty()) return answers;
    auto setThreadErrorMode = reinterpret_cast<SetThreadErrorModeFn>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetThreadErrorMode"));
    QuietProcess quiet(setThreadErrorMode == nullptr);
    auto& system = platform::SystemFunctions::Current();

    std::vector<Query*> queries(questions.size(), nullptr);
    std::vector<HANDLE> threads;
    std::vector<size_t> threadOf;
    for (size_t i = 0; i < questions.size(); ++i) {
        auto* query = new Query{2, questions[i], {}, system.GetVolumeInformationA, system.WNetGetConnectionA,
                                setThreadErrorMode, nullptr};
        HANDLE thread = nullptr;
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&AnswerOne),
                               &query->image)) {
            thread = CreateThread(nullptr, 0, AnswerOne, query, 0, nullptr);
            if (!thread) FreeLibrary(query->image);
        }
        if (!thread) {  // no thread to spare: asked here, without a deadline
            answers[i] = Ask(*query);
            answers[i].answered = true;
            delete query;
            continue;
        }
        queries[i] = query;
        threads.push_back(thread);
        threadOf.push_back(i);
    }
    if (!threads.empty())
        WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, deadlineMs);
    for (size_t t = 0; t < threads.size(); ++t) {
        size_t i = threadOf[t];
        if (WaitForSingleObject(threads[t], 0) == WAIT_OBJECT_0) {
            answers[i] = queries[i]->answer;  // its thread has ended: the answer is whole
            answers[i].answered = true;
        }
        CloseHandle(threads[t]);
        LetGo(queries[i]);
    }
    return answers;
}

}  // namespace wendrik
