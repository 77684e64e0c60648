#pragma once

#include <QString>

#include <exception>
#include <new>
#include <utility>

// An error raised by a file, list, conversion or settings operation. It ends the command that
// raised it; the top-level error report shows its text and the program keeps running.
class KerlaError : public std::exception {
public:
    explicit KerlaError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

namespace errors {
// "Cannot open file "%s". %s"
QString cannotOpenFile(const QString &path, const QString &reason);
// "Cannot read file "%s". %s": opened, but a read failed.
QString cannotReadFile(const QString &path, const QString &reason);
// "Cannot delete file "%s". %s"
QString cannotDeleteFile(const QString &path, const QString &reason);
// "Cannot create file "%s". %s"
QString cannotCreateFile(const QString &path, const QString &reason);
// "List index out of bounds (%d)"
QString listIndexOutOfBounds(qint64 index);
// "Unable to write to %s"
QString unableToWriteTo(const QString &path);
// The system's reason for the last failed file operation, such as "No such file or directory".
QString systemReason(int errnoValue);
} // namespace errors

// Where the program's message boxes go. The windows show real boxes; tests record the texts.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // The top-level error report: a message box with the error's text.
    virtual void showError(const QString &text) = 0;
    // A plain message box with one OK button.
    virtual void showMessage(const QString &text) = 0;
};

// Runs one command. An error ends it and goes to the error report; returns false then. Any other
// exception is reported the same way rather than let into Qt's event loop, which does not allow
// it: "Out of memory" for a failed allocation, the exception's own text for the rest.
template <class F> bool runCommand(MessageSink &sink, F &&command) {
    try {
        std::forward<F>(command)();
        return true;
    } catch (const KerlaError &e) {
        sink.showError(e.message());
    } catch (const std::bad_alloc &) {
        sink.showError(QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        sink.showError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        sink.showError(QStringLiteral("Unknown error"));
    }
    return false;
}
