#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// A publisher's XML file read into a small tree, safely: no entity beyond the five predefined ones
// is ever expanded (a file that declares entities is refused before any is used), nothing that a
// DOCTYPE names is read, namespace prefixes are dropped (a prefix that is never declared is no
// error), and the tree is bounded in depth and size, so that any input ends soon.
namespace xmltree {

struct Node {
    QString name; // the local name without its prefix; empty for a run of text
    QString text; // a text run's characters
    QList<std::pair<QString, QString>> attributes; // local names
    QList<Node> children;

    bool isText() const { return name.isEmpty(); }
    QString attribute(const QString &local) const;
    // The children of that name (compared without regard to case), in order.
    QList<const Node *> elements(const QString &local) const;
    const Node *element(const QString &local) const;
    // All the text inside, runs of white space as one space, trimmed.
    QString simplifiedText() const;
};

inline constexpr qsizetype kMaxBytes = 20 * 1024 * 1024;
inline constexpr int kMaxDepth = 32;
inline constexpr int kMaxNodes = 500000;

struct Result {
    Node root;                   // the document element; its name is empty when reading failed
    QString error;               // Czech; empty when the file was read
    qint64 line = 0, column = 0; // where the error lies (0 when it has no place)
};

Result read(QByteArrayView bytes);

} // namespace xmltree
