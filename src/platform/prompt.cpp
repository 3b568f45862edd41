#include "platform/prompt.h"

#include <cstdio>

namespace k5 {

bool Prompt::report(const Outcome& outcome) {
    if (!outcome.message.text.isEmpty()) show(outcome.message);
    return outcome.ok;
}

void Prompt::inform(const QString& text, const QString& title) {
    show({text, title, Icon::Information, Buttons::Ok});
}

void Prompt::warn(const QString& text, const QString& title) {
    show({text, title, Icon::Warning, Buttons::Ok});
}

void Prompt::error(const QString& text, const QString& title) {
    show({text, title, Icon::Error, Buttons::Ok});
}

bool Prompt::askOkCancel(const QString& text, Icon icon, const QString& title) {
    return show({text, title, icon, Buttons::OkCancel}) == Answer::Ok;
}

bool Prompt::askYesNo(const QString& text, Icon icon, const QString& title) {
    return show({text, title, icon, Buttons::YesNo}) == Answer::Yes;
}

Answer Prompt::askYesNoCancel(const QString& text, Icon icon, const QString& title) {
    return show({text, title, icon, Buttons::YesNoCancel});
}

Answer affirmativeAnswer(Buttons buttons) {
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
}

Answer CommandLinePrompt::show(const Message& message) {
    QByteArray text = message.text.toUtf8();
    std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    return affirmativeAnswer(message.buttons);
}

Answer ScriptedPrompt::show(const Message& message) {
    shown_.push_back(message);
    if (answers_.empty()) return affirmativeAnswer(message.buttons);
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QStringList ScriptedPrompt::texts() const {
    QStringList list;
    for (const auto& m : shown_)
        list << m.text;
    return list;
}

} // namespace k5
