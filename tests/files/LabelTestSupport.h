#pragma once

#include "FilesTestSupport.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "files/IniFile.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/TextEncoding.h"

#include <QImage>
#include <QLocale>
#include <gtest/gtest.h>

// Every label test runs at 96 pixels per inch, in an English locale, with its own temporary
// folder and with the messages meant for the user collected instead of printed.
class TLabelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_previous = SetMessageHandler([this](const QString& m) { Messages << m; });
    }
    void TearDown() override {
        SetMessageHandler(m_previous);
        QLocale::setDefault(m_locale);
    }

    // Saves the controls as a label and reads it back.
    TLabelContents RoundTrip(const TControlList& controls, const TSheetSettings& sheet = {},
                             bool showGrid = true) {
        const QString path = Scratch.File("roundtrip.lbl");
        WriteLabelDocument(path, sheet, showGrid, controls);
        return ReadLabelDocument(path);
    }

    // The description inside a saved label, as a sections-and-keys file and as bytes.
    static QByteArray DescriptionBytes(const QString& labelPath) {
        QStringList extracted;
        if (!ReadLabelArchive(labelPath, extracted) || extracted.isEmpty())
            return {};
        const QByteArray bytes = ReadBytes(extracted.first());
        for (const QString& p : extracted)
            QFile::remove(p);
        return bytes;
    }
    static TIniFile Description(const QString& labelPath) {
        return TIniFile::FromBytes(DescriptionBytes(labelPath));
    }
    TIniFile SavedDescription(const TControlList& controls) {
        const QString path = Scratch.File("saved.lbl");
        WriteLabelDocument(path, TSheetSettings{}, true, controls);
        return Description(path);
    }

    TScratchFolder Scratch;
    QStringList Messages;

private:
    TMessageHandler m_previous;
    QLocale m_locale;
};

template <class T> T& Add(TControlList& list) {
    list.push_back(std::make_unique<T>());
    list.back()->SetLoading(false);
    return static_cast<T&>(*list.back());
}

template <class T> const T& As(const std::unique_ptr<TLabelControl>& c) {
    return dynamic_cast<const T&>(*c);
}

// A small picture with distinct pixels, saved in the given format ("BMP" or "JPG").
inline QImage TestPicture(int w = 6, int h = 4) {
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(40 * x, 60 * y, 200 - 20 * x));
    return img;
}

// One line for an element with every field it has, to compare element lists.
inline QString ElementSignature(const TAdvancedField& e) {
    QString s = e.FieldKind() + ":";
    if (const auto* t = dynamic_cast<const TTextField*>(&e))
        s += "[" + t->LiteralText + "]";
    if (const auto* f = dynamic_cast<const TImportedField*>(&e))
        s += QString("%1,%2,%3,%4")
                 .arg(f->FieldNumber)
                 .arg(f->MinSize)
                 .arg(f->PadChar)
                 .arg(f->PadLeft);
    if (const auto* q = dynamic_cast<const TSequenceField*>(&e))
        s += QString("%1,%2,%3,%4,%5")
                 .arg(q->CurrentValue)
                 .arg(q->MinValue)
                 .arg(q->MaxValue)
                 .arg(q->MinSize)
                 .arg(q->ResetOnPrint);
    if (const auto* d = dynamic_cast<const TDateField*>(&e))
        s += "[" + d->DateFormat + "]";
    return s;
}

inline QStringList FieldSignatures(const TFieldList& fields) {
    QStringList list;
    for (const auto& f : fields)
        list << ElementSignature(*f);
    return list;
}
