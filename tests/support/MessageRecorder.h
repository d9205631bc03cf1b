#pragma once

#include "platform/ui/MessageDlg.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <vector>

// Stands in for the message box while it lives: records every request and
// answers it from a queue of answers; with the queue empty, a box with Yes
// answers the configured question answer (mrYes unless told), one with OK
// answers mrOk, any other its first button. With a modal time set, each box
// runs a nested event loop for that long before it answers, as a real box
// would keep the timers and the serial poll going.
class MessageRecorder {
  public:
    explicit MessageRecorder(int questionAnswer = mrYes) : questionAnswer_(questionAnswer) {
        SetMessageBoxHook([this](const MessageRequest& request) { return answer(request); });
    }
    ~MessageRecorder() { SetMessageBoxHook({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Queues the answer for the next box.
    void Answer(int result) { answers_.push_back(result); }
    void SetQuestionAnswer(int result) { questionAnswer_ = result; }
    void SetModalTime(int milliseconds) { modalTime_ = milliseconds; }

    const std::vector<MessageRequest>& Requests() const { return requests_; }
    int Count() const { return int(requests_.size()); }
    const MessageRequest& Last() const { return requests_.back(); }
    QStringList Texts() const {
        QStringList texts;
        for (const MessageRequest& request : requests_)
            texts << request.Text;
        return texts;
    }
    void Clear() { requests_.clear(); }

  private:
    static int resultOf(TMsgDlgBtn button) {
        switch (button) {
        case TMsgDlgBtn::mbYes:
            return mrYes;
        case TMsgDlgBtn::mbNo:
            return mrNo;
        case TMsgDlgBtn::mbOK:
            return mrOk;
        case TMsgDlgBtn::mbCancel:
            return mrCancel;
        }
        return mrNone;
    }

    int answer(const MessageRequest& request) {
        requests_.push_back(request);
        int result;
        if (!answers_.empty()) {
            result = answers_.front();
            answers_.pop_front();
        } else {
            const auto& buttons = request.Buttons;
            auto has = [&](TMsgDlgBtn b) {
                return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
            };
            if (has(TMsgDlgBtn::mbYes))
                result = questionAnswer_;
            else if (has(TMsgDlgBtn::mbOK))
                result = mrOk;
            else
                result = buttons.empty() ? mrNone : resultOf(buttons.front());
        }
        if (modalTime_ > 0) {
            QEventLoop loop;
            QTimer::singleShot(modalTime_, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return result;
    }

    std::vector<MessageRequest> requests_;
    std::deque<int> answers_;
    int questionAnswer_;
    int modalTime_ = 0;
};
