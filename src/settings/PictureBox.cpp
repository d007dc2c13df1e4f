#include "PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

bool PictureBox::loadPicture(const QString& path)
{
    QPixmap picture;
    const bool loaded = !path.isEmpty() && picture.load(path);
    setPicture(loaded ? picture : QPixmap());
    return loaded;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}
