// The page's address: the lesson it carries, read and written by the core
// (lesson/lesson_address.h), so that a link opens the same run.
//   ?R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8&fit=1&m=...&mu=mm:G&mf=lab.csv&lang=en

// The lesson of the address: {lesson, measured, notice, named} (core.lessonOfAddress).
export const readAddress = (core, search) => core.lessonOfAddress(search);

// The address's query naming the page's language (lang=en), or none when
// lang is empty; the lesson's values stay as written.
export function withLanguage(query, lang) {
  const rest = query.replace(/^\?/, '').split('&').filter((part) => part && !part.startsWith('lang=')).join('&');
  const parts = [rest, lang && `lang=${encodeURIComponent(lang)}`].filter(Boolean);
  return parts.length ? `?${parts.join('&')}` : '';
}

// The page's full address for the lesson in the language lang (none when
// empty), and the notice when it leaves the measured values out: {href, query, notice}.
export function addressOf(core, lesson, set, lang = '') {
  const written = core.addressOf(lesson, set);
  const query = withLanguage(written.query, lang);
  return { href: location.origin + location.pathname + query, query, notice: written.notice };
}
