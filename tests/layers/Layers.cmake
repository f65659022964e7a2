# The layers' folders, for the checks that read their sources.
set(layers astro model platform settings texts cli toolkit calendarview dialogs app)
