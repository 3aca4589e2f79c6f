// The pictures of the window live in this library's resources (":/pictures/").
