#pragma once

#include <QPixmap>
#include <QWidget>

// A picture stretched to the control's rectangle. Every picture put in it counts as a new one for the
// change tracking, even when it was loaded from the same file.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // Loads a picture file; false (and no picture) when it cannot be read.
    bool loadPicture(const QString& path);
    void clear() { setPicture(QPixmap()); }

    const QPixmap& picture() const { return m_picture; }
    // Identifies the picture shown; 0 when there is none.
    qint64 pictureId() const { return m_picture.isNull() ? 0 : m_picture.cacheKey(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
