// Owns one window of a document: keeps its title and modified mark in step with the
// document and turns the user's closing of the window into closing the document.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class ZPDocument;

class ZPWindowController : public QObject {
    Q_OBJECT
public:
    // Takes ownership of `window`. `titleSuffix` follows the document's name in the title.
    ZPWindowController(QWidget* window, const QString& titleSuffix = QString());
    ~ZPWindowController() override;

    QWidget* window() const { return window_; }
    ZPDocument* document() const { return document_; }
    void setDocument(ZPDocument* document);

    void synchronizeWindowTitleWithDocumentName();
    void showWindow();
    // Closes the window for good (the document is going away).
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    ZPDocument* document_ = nullptr;
    QString titleSuffix_;
    bool closing_ = false;
};
