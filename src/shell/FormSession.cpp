#include "shell/FormSession.h"

#include <chrono>

#include "shell/HttpClient.h"
#include "util/AtomicFile.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

constexpr const char* kSaveAdvice = "「報告を保存」でテキストファイルに保存し、メールなどでお送りください。";
constexpr const char* kNoServer = "送信先が設定されていないため、送信できません。\n";
// Far above the workers' own time-outs: only a broken network stack could reach it.
constexpr auto kWorkerLimit = std::chrono::seconds(30);

const char* ProbeWord(TProbeState state) {
    switch (state) {
        case TProbeState::NotSet: return "未設定";
        case TProbeState::Pending: return "確認中…";
        case TProbeState::Reachable: return "接続できます";
        case TProbeState::Unreachable: return "接続できません";
    }
    return "";
}

}  // namespace

TSupportAddresses ReadSupportAddresses(const TIniFile& ini) {
    return {ini.ReadString("Support", "Server"), ini.ReadString("Support", "Probe")};
}

TFormSession::TFormSession(TForm form, TSupportAddresses addresses, std::string saveFolder)
    : Form_(std::move(form)), Addresses_(std::move(addresses)), SaveFolder_(std::move(saveFolder)) {
    if (!Addresses_.Server.empty()) {
        Server_ = TProbeState::Pending;
        Run(ServerProbe_, Addresses_.Server, nullptr);
    } else {
        Status_ = std::string(kNoServer) + kSaveAdvice;
    }
    if (!Addresses_.Probe.empty()) {
        PublicSite_ = TProbeState::Pending;
        Run(PublicProbe_, Addresses_.Probe, nullptr);
    }
}

TFormSession::~TFormSession() {
    Cancel_ = true;
    for (std::thread& worker : Workers_) worker.join();
}

void TFormSession::Run(TOutcome& outcome, std::string url, const std::string* body) {
    {
        const std::lock_guard lock(Lock_);
        outcome = TOutcome{};
        ++Running_;
    }
    Workers_.emplace_back([this, &outcome, url = std::move(url), body] {
        const THttpResult result = body != nullptr ? HttpPostForm(url, *body, kSendTimeoutMs, &Cancel_)
                                                   : HttpGet(url, kProbeTimeoutMs, &Cancel_);
        const std::lock_guard lock(Lock_);
        outcome.Ready = true;
        outcome.Reachable = result.Completed;
        outcome.Succeeded = result.Succeeded();
        outcome.Error = result.Completed ? "HTTP " + std::to_string(result.Status) : result.Error;
        --Running_;
        Finished_.notify_all();
    });
}

bool TFormSession::Poll() {
    const std::lock_guard lock(Lock_);
    bool changed = false;
    const auto take = [&](TProbeState& state, const TOutcome& outcome) {
        if (state != TProbeState::Pending || !outcome.Ready) return false;
        state = outcome.Reachable ? TProbeState::Reachable : TProbeState::Unreachable;
        changed = true;
        return true;
    };
    if (take(Server_, ServerProbe_) && Server_ == TProbeState::Unreachable) ExplainUnreachable();
    take(PublicSite_, PublicProbe_);
    if (Sending_ && Post_.Ready) {
        Sending_ = false;
        changed = true;
        if (Post_.Succeeded) {
            Sent_ = true;
            Done_ = true;
            Status_ = "送信しました。ご協力ありがとうございました。";
        } else {
            Status_ = "送信できませんでした（" + Post_.Error + "）。\n" + kSaveAdvice;
        }
    }
    return changed;
}

bool TFormSession::Busy() const {
    const std::lock_guard lock(Lock_);
    return Running_ > 0;
}

void TFormSession::WaitForWorkers() {
    {
        std::unique_lock lock(Lock_);
        Finished_.wait_for(lock, kWorkerLimit, [&] { return Running_ == 0; });
    }
    Poll();
}

std::string TFormSession::ProbeText() const {
    return std::string("サポートサーバー: ") + ProbeWord(Server_) + "\nインターネット: " + ProbeWord(PublicSite_);
}

bool TFormSession::CanSend() const {
    return Server_ == TProbeState::Reachable && !Sending_ && !Sent_ && Form_.Problem().empty();
}

void TFormSession::ExplainUnreachable() {
    Status_ = std::string("サポートサーバーに接続できないため、送信できません。\n") + kSaveAdvice;
}

void TFormSession::Press(TFormButton button) {
    if (Done_) return;
    switch (button) {
        case TFormButton::Send: StartSend(); break;
        case TFormButton::Save: SaveReport(); break;
        case TFormButton::Close: Done_ = true; break;
    }
}

void TFormSession::StartSend() {
    if (Sending_) return;
    if (const std::string problem = Form_.Problem(); !problem.empty()) {
        Status_ = problem;
        return;
    }
    if (Server_ == TProbeState::NotSet) {
        Status_ = std::string(kNoServer) + kSaveAdvice;
        return;
    }
    if (Server_ == TProbeState::Unreachable) {
        ExplainUnreachable();
        return;
    }
    if (Server_ == TProbeState::Pending) {
        Status_ = "サポートサーバーを確認しています。しばらくお待ちください。";
        return;
    }
    SentBody_ = Form_.PostBody();
    Sending_ = true;
    Status_ = "送信しています…";
    Run(Post_, Addresses_.Server, &SentBody_);
}

void TFormSession::SaveReport() {
    if (const std::string problem = Form_.Problem(); !problem.empty()) {
        Status_ = problem;
        return;
    }
    const std::string path = SaveFolder_ + Form_.ReportFileName();
    if (!WriteFileAtomically(path, Form_.ReportText(Addresses_.Server))) {
        Status_ = "報告を保存できませんでした: " + path;
        return;
    }
    ReportPath_ = path;
    Status_ = "報告を保存しました: " + path;
}

}  // namespace vandor
