#include "import/xmltree.h"

#include <QXmlStreamReader>

namespace xmltree {

namespace {

QString localName(QStringView qualified) {
    const qsizetype colon = qualified.indexOf(u':');
    return (colon < 0 ? qualified : qualified.mid(colon + 1)).toString();
}

// Where the prolog (before the document element) declares an entity or names an external
// subset; checked on the bytes, so no declaration reaches the reader's expansion.
bool declaresEntities(QByteArrayView bytes) {
    const qsizetype doctype = bytes.indexOf("<!DOCTYPE");
    return doctype >= 0 && bytes.indexOf("<!ENTITY") >= 0;
}

} // namespace

QString Node::attribute(const QString &local) const {
    for (const auto &[name, value] : attributes)
        if (name.compare(local, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

QList<const Node *> Node::elements(const QString &local) const {
    QList<const Node *> found;
    for (const Node &child : children)
        if (!child.isText() && child.name.compare(local, Qt::CaseInsensitive) == 0)
            found.append(&child);
    return found;
}

const Node *Node::element(const QString &local) const {
    for (const Node &child : children)
        if (!child.isText() && child.name.compare(local, Qt::CaseInsensitive) == 0)
            return &child;
    return nullptr;
}

namespace {

void collectText(const Node &node, QString &out) {
    if (node.isText())
        out += node.text;
    for (const Node &child : node.children) {
        collectText(child, out);
    }
}

} // namespace

QString Node::simplifiedText() const {
    QString all;
    collectText(*this, all);
    return all.simplified();
}

Result read(QByteArrayView bytes) {
    Result out;
    if (bytes.size() > kMaxBytes) {
        out.error = QStringLiteral("soubor je větší než 20 MB");
        return out;
    }
    if (declaresEntities(bytes)) {
        out.error =
            QStringLiteral("soubor deklaruje vlastní entity (<!ENTITY …>); takový soubor program nečte");
        return out;
    }
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
    xml.setNamespaceProcessing(false); // <ns0:FreeXml> without a declaration is read as FreeXml
    xml.setEntityExpansionLimit(0);    // nothing declared is ever expanded
    QList<Node *> open;
    int nodes = 0;
    bool rootSeen = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (++nodes > kMaxNodes) {
            out.error = QStringLiteral("soubor má příliš mnoho prvků");
            break;
        }
        switch (token) {
        case QXmlStreamReader::DTD:
            // The same rule as on the bytes, on the decoded text: a UTF-16 file is no way around it.
            if (!xml.entityDeclarations().isEmpty() || xml.text().contains(QLatin1String("<!ENTITY"))) {
                out.error = QStringLiteral("soubor deklaruje vlastní entity; takový soubor program nečte");
                out.line = xml.lineNumber();
                out.column = xml.columnNumber();
                out.root = {};
                return out;
            }
            break;
        case QXmlStreamReader::EntityReference:
            out.error = QStringLiteral("neznámá entita &%1;").arg(xml.name());
            break;
        case QXmlStreamReader::StartElement: {
            if (open.size() >= kMaxDepth) {
                out.error = QStringLiteral("prvky jsou vnořené hlouběji než %1 úrovní").arg(kMaxDepth);
                break;
            }
            Node node;
            node.name = localName(xml.qualifiedName());
            for (const QXmlStreamAttribute &a : xml.attributes())
                node.attributes.append({localName(a.qualifiedName()), a.value().toString()});
            if (open.isEmpty()) {
                if (rootSeen) {
                    out.error = QStringLiteral("soubor má víc než jeden kořenový prvek");
                    break;
                }
                rootSeen = true;
                out.root = std::move(node);
                open.append(&out.root);
            } else {
                open.back()->children.append(std::move(node));
                open.append(&open.back()->children.back());
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.isEmpty())
                open.removeLast();
            break;
        case QXmlStreamReader::Characters:
            if (!open.isEmpty()) {
                Node &parent = *open.back();
                if (!parent.children.isEmpty() && parent.children.back().isText())
                    parent.children.back().text += xml.text();
                else
                    parent.children.append(Node{{}, xml.text().toString(), {}, {}});
            }
            break;
        default:
            break;
        }
        if (!out.error.isEmpty())
            break;
    }
    if (out.error.isEmpty() && xml.hasError()) {
        out.error = xml.errorString();
    }
    if (!out.error.isEmpty()) {
        out.line = xml.lineNumber();
        out.column = xml.columnNumber();
        out.root = {};
    } else if (!rootSeen) {
        out.error = QStringLiteral("soubor nemá žádný prvek");
    }
    return out;
}

} // namespace xmltree
