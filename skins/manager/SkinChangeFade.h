#pragma once
// The skin-changing fade: a picture of each form as it looked under the old skin is laid over
// it and faded out once the new skin has been drawn underneath.

#include <QPointer>
#include <QWidget>
#include <vector>

class SkinChangeFade {
public:
    // Takes pictures of the visible forms.
    void Prepare(const std::vector<QWidget*>& forms);
    // Lays the pictures over the forms and fades them out over `milliseconds`. A picture is laid
    // with its client area over the form's client area now, which a frame of another size moves.
    void Play(int milliseconds);
    // Ends every running fade at once.
    static void StopAll();

private:
    struct Shot {
        QPointer<QWidget> Form;
        QPixmap Picture;
        QPoint Client; // where the form's client area stood in the picture
    };
    std::vector<Shot> shots_;
};
