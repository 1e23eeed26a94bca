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
    // Lays the pictures over the forms and fades them out over `milliseconds`.
    void Play(int milliseconds);
    // Ends every running fade at once.
    static void StopAll();

private:
    struct Shot {
        QPointer<QWidget> Form;
        QPixmap Picture;
    };
    std::vector<Shot> shots_;
};
