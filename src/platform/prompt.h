#pragma once
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

// Every message box of the program is a call on a Prompt: the domain decides
// what to say, the implementation how it is shown (a message box in the GUI,
// stderr on the command line, a recorder in tests).
namespace k5 {

inline const QString kProgramTitle = QStringLiteral("KAMO-K5");

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No, Further };

struct Message {
    QString text;
    QString title = kProgramTitle;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    // The button Enter presses; none: the toolkit's choice (the affirmative
    // one). A question whose affirmative answer destroys something names
    // the safe one.
    std::optional<Answer> defaultButton = std::nullopt;
};

// What a domain operation answers: success, or failure, each with the
// message (if any) the caller shows. Domain code decides what to say; the
// window or command line that called it shows it.
struct Outcome {
    bool ok = true;
    Message message; // empty text: nothing to show
    // The input the message is about, named as the form that holds it names
    // it ("Lx", "h2", "name", ...), so a window can put the focus there;
    // empty when the message names none.
    QString field = {};

    static Outcome success(const QString& info = {}) { return {true, {info}}; }
    static Outcome warning(const QString& text) { return {false, {text, kProgramTitle, Icon::Warning}}; }
    static Outcome error(const QString& text) { return {false, {text, kProgramTitle, Icon::Error}}; }
    Outcome about(const QString& input) const {
        Outcome named = *this;
        named.field = input;
        return named;
    }
    explicit operator bool() const { return ok; }
};

class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual Answer show(const Message& message) = 0;
    // The message with one further command offered beside its buttons,
    // answered Answer::Further when chosen. A prompt that cannot offer it
    // shows the message alone.
    virtual Answer showOffering(const Message& message, const QString& further) {
        (void)further;
        return show(message);
    }

    // Shows the outcome's message, if it has one; answers whether it succeeded.
    bool report(const Outcome& outcome);

    void inform(const QString& text, const QString& title = kProgramTitle);
    void warn(const QString& text, const QString& title = kProgramTitle);
    void error(const QString& text, const QString& title = kProgramTitle);
    // True for OK.
    bool askOkCancel(const QString& text, Icon icon = Icon::Information,
                     const QString& title = kProgramTitle);
    // True for Yes.
    bool askYesNo(const QString& text, Icon icon = Icon::Question, const QString& title = kProgramTitle);
    Answer askYesNoCancel(const QString& text, Icon icon = Icon::Question,
                          const QString& title = kProgramTitle);
};

// The affirmative answer of a button set: OK or Yes.
Answer affirmativeAnswer(Buttons buttons);

// Command line: prints the text on stderr and answers as confirmed, since the
// user asked for the command.
class CommandLinePrompt : public Prompt {
  public:
    Answer show(const Message& message) override;
};

// Tests: records every message and answers from a script (affirmative when
// the script is empty).
class ScriptedPrompt : public Prompt {
  public:
    Answer show(const Message& message) override;
    void script(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }
    const std::vector<Message>& shown() const { return shown_; }
    QStringList texts() const;
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    void clear() { shown_.clear(); }

  private:
    std::vector<Message> shown_;
    std::deque<Answer> answers_;
};

} // namespace k5
