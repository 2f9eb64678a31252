#pragma once
// The description windows: fixed explanatory text of the experimental methods
// behind the data and of the viscosity models behind the calculations. Each is
// created once at start-up and shown modally from the menus.
#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;
class QVBoxLayout;

namespace korvel {

// The base window: caption "Korvel 3", money-green background, a 41-pixel
// bottom panel with "OK"; subclasses fill the area above the panel.
class TfmBadania : public QDialog {
    Q_OBJECT
public:
    explicit TfmBadania(QWidget* parent = nullptr);

protected:
    QVBoxLayout* contentLayout() const { return m_content; }
    // A read-only rich-text view of a description kept in the program's resources.
    QTextBrowser* addDescription(const QString& resource, const char* objectName);

private:
    QVBoxLayout* m_content;
    QPushButton* m_SpeedButton1;
};

// An experimental method: the title label lblTytul, then text with formulas and pictures.
class TfmMethodDescription : public TfmBadania {
    Q_OBJECT
public:
    TfmMethodDescription(const QString& title, const QString& resource, QWidget* parent = nullptr);

private:
    QLabel* m_lblTytul;
};

class TfmBadania1 : public TfmMethodDescription {
    Q_OBJECT
public:
    explicit TfmBadania1(QWidget* parent = nullptr);
};
class TfmBadania2 : public TfmMethodDescription {
    Q_OBJECT
public:
    explicit TfmBadania2(QWidget* parent = nullptr);
};
class TfmBadania3 : public TfmMethodDescription {
    Q_OBJECT
public:
    explicit TfmBadania3(QWidget* parent = nullptr);
};
class TfmBadania4 : public TfmMethodDescription {
    Q_OBJECT
public:
    explicit TfmBadania4(QWidget* parent = nullptr);
};

// A viscosity model: its equation, the meaning of its symbols and its reference.
class TfmModelDescription : public TfmBadania {
    Q_OBJECT
public:
    explicit TfmModelDescription(const QString& resource, QWidget* parent = nullptr);
};

class TfmDravik : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmDravik(QWidget* parent = nullptr);
};
class TfmDravikMarten : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmDravikMarten(QWidget* parent = nullptr);
};
class TfmIida : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmIida(QWidget* parent = nullptr);
};
class TfmKaptay : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmKaptay(QWidget* parent = nullptr);
};
class TfmKozlov : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmKozlov(QWidget* parent = nullptr);
};
class TfmKucharski : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmKucharski(QWidget* parent = nullptr);
};
class TfmMoelwyn : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmMoelwyn(QWidget* parent = nullptr);
};
class TfmSato : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmSato(QWidget* parent = nullptr);
};
class TfmSchick : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmSchick(QWidget* parent = nullptr);
};
class TfmSeetharaman : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmSeetharaman(QWidget* parent = nullptr);
};
class TfmSichen : public TfmModelDescription {
    Q_OBJECT
public:
    explicit TfmSichen(QWidget* parent = nullptr);
};

} // namespace korvel
