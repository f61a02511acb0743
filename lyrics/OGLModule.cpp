#include "lyrics/OGLModule.h"

#include "base/UserMessages.h"
#include "lyrics/OutlineFont.h"

#include <QOpenGLContext>

namespace melorit::lyrics {

QSurfaceFormat lyricsSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(16);
    // Smooth glyph edges. The view draws into a framebuffer of its own, which
    // is multisampled only where the driver can: elsewhere it is a plain one.
    format.setSamples(4);
    return format;
}

bool probeOpenGL()
{
    QOpenGLContext context;
    context.setFormat(lyricsSurfaceFormat());
    const bool usable = context.create() && !context.isOpenGLES() &&
                        context.format().profile() != QSurfaceFormat::CoreProfile;
    if (!usable) {
        showMessage(QStringLiteral("Problème initilisation OpenGL !"), QStringLiteral("Melorit"),
                    MessageIcon::Critical);
    }
    return usable;
}

bool buildLyricsFont(OutlineFont &font, const QString &faceName)
{
    font.release();
    font.BuildFont3D(faceName.isEmpty() ? kLyricsFontFace.toString() : faceName, 144, 700, false,
                     Rgb{0.7f, 0.5f, 0.1f});
    return true;
}

bool InitOpenGL(OutlineFont &font, const QString &faceName)
{
    static constexpr GLfloat kAmbient[] = {1, 1, 1, 1};
    static constexpr GLfloat kSpecular[] = {1, 1, 1, 1};
    // In eye coordinates: behind the text, slightly left and up.
    static constexpr GLfloat kLightPosition[] = {-10, 10, -100, 1};

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA); // blending itself stays off
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT1, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, kAmbient);
    glLightfv(GL_LIGHT1, GL_SPECULAR, kSpecular);
    glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 1.0f);
    glEnable(GL_LIGHT1);

    return buildLyricsFont(font, faceName);
}

} // namespace melorit::lyrics
