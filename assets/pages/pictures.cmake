# Page backgrounds, as JPEG: intro 732 x 562 at natural size, registration
# 744 x 558 stretched to the page, theory and test 743 x 559 at natural size.
oplab_render(pictures pages/intro.svg intro.jpg 732 562 FORMAT jpg AT2X)
oplab_render(pictures pages/registration.svg registration.jpg 744 558 FORMAT jpg AT2X)
oplab_render(pictures pages/theory.svg theory.jpg 743 559 FORMAT jpg AT2X)
oplab_render(pictures pages/test.svg test.jpg 743 559 FORMAT jpg AT2X)
