#pragma once
// One showing of the support or survey form: it probes the support server and a
// public site on worker threads as the form opens, so the window never waits for the
// network, and carries out the player's buttons: send (a form post, also on a worker),
// save the report as a text file, close. A window host calls Poll while the form is
// open and shows what changed; everything but the workers runs on the UI thread.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/SupportForms.h"

namespace vandor {

class TIniFile;

// Where the forms go, from section "Support" of the settings file: "Server" receives
// the posts and is probed, "Probe" is the public site that tells whether the player's
// network works at all. Both empty unless set.
struct TSupportAddresses {
    std::string Server;
    std::string Probe;
};
TSupportAddresses ReadSupportAddresses(const TIniFile& ini);

enum class TProbeState { NotSet, Pending, Reachable, Unreachable };
enum class TFormButton { Send, Save, Close };

class TFormSession {
public:
    static constexpr int kProbeTimeoutMs = 1980;
    static constexpr int kSendTimeoutMs = 10000;

    // Starts the probes at once.
    TFormSession(TForm form, TSupportAddresses addresses, std::string saveFolder);
    // Stops the workers that still run and waits for them.
    ~TFormSession();
    TFormSession(const TFormSession&) = delete;
    TFormSession& operator=(const TFormSession&) = delete;

    TForm& Form() { return Form_; }
    const TForm& Form() const { return Form_; }
    const TSupportAddresses& Addresses() const { return Addresses_; }

    // Takes over what the workers finished; true when the form must be shown anew.
    bool Poll();
    // Whether a probe or a post is still under way.
    bool Busy() const;
    // Waits until nothing is under way (each worker ends within its time-out), then
    // polls. For the headless host, which must be deterministic.
    void WaitForWorkers();

    TProbeState ServerState() const { return Server_; }
    TProbeState PublicSiteState() const { return PublicSite_; }
    // The two probe results in words, one line each.
    std::string ProbeText() const;

    // Send needs a complete form and a server that answered the probe.
    bool CanSend() const;
    void Press(TFormButton button);
    // What the form says about the last thing that happened (empty at first).
    const std::string& Status() const { return Status_; }
    // What the form shows the player: the status, or until there is one, what the
    // form still lacks before it can be sent.
    std::string Advice() const { return Status_.empty() ? Form_.Problem() : Status_; }
    // The form has served its purpose: closed, or sent.
    bool Done() const { return Done_; }
    bool Sent() const { return Sent_; }
    // Where the report was saved, empty until then.
    const std::string& ReportPath() const { return ReportPath_; }

private:
    struct TOutcome {
        bool Ready = false;
        bool Reachable = false;  // probes
        bool Succeeded = false;  // the post
        std::string Error;
    };

    void Run(TOutcome& outcome, std::string url, const std::string* body);
    void StartSend();
    void SaveReport();
    void ExplainUnreachable();

    TForm Form_;
    TSupportAddresses Addresses_;
    std::string SaveFolder_;
    TProbeState Server_ = TProbeState::NotSet;
    TProbeState PublicSite_ = TProbeState::NotSet;
    bool Sending_ = false;
    bool Sent_ = false;
    bool Done_ = false;
    std::string Status_;
    std::string ReportPath_;
    std::string SentBody_;  // kept alive for the worker that posts it

    mutable std::mutex Lock_;
    std::condition_variable Finished_;
    int Running_ = 0;                            // workers under way, guarded by Lock_
    TOutcome ServerProbe_, PublicProbe_, Post_;  // written by the workers under Lock_
    std::atomic<bool> Cancel_{false};
    std::vector<std::thread> Workers_;
};

}  // namespace vandor
